#pragma once

#include <QByteArray>
#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QString>

// The program's seven 32 x 32 window images (icons and cursors), compiled in as resources.
namespace WindowImages {

enum class Id { I1, I2, C1, C2, C3, C4, C5 };

QString resourcePath(Id id);
// The file's bytes as stored in the program.
QByteArray fileData(Id id);

// Cursor hot spot from the first directory entry; (0, 0) for icons and malformed data.
QPoint hotSpot(const QByteArray &file);

QImage image(Id id);
QPixmap pixmap(Id id);
QCursor cursor(Id id);
QIcon icon(Id id);

} // namespace WindowImages
