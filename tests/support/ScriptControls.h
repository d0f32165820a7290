#pragma once

#include <QMap>
#include <QPoint>
#include <QRect>
#include <QString>

// The controls that the scripts drive, by name, in client-area pixels, as scripts/controls.sh
// lists them; and the middle of one, as the script's centre() gives it.
QMap<QString, QRect> scriptControls();
QPoint scriptCentre(const QString &name);
