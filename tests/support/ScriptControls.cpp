#include "ScriptControls.h"

#include <QFile>
#include <QRegularExpression>

QMap<QString, QRect> scriptControls()
{
    QMap<QString, QRect> controls;
    QFile file(QStringLiteral(QUORVIN_SOURCE_DIR "/scripts/controls.sh"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return controls;
    const QRegularExpression line(QStringLiteral(R"re(^(\w+)="(\d+) (\d+) (\d+) (\d+)"$)re"));
    while (!file.atEnd()) {
        const QRegularExpressionMatch m = line.match(QString::fromUtf8(file.readLine()).trimmed());
        const auto at = [&m](int i) { return m.captured(i).toInt(); };
        if (m.hasMatch())
            controls.insert(m.captured(1), QRect(at(2), at(3), at(4), at(5)));
    }
    return controls;
}

QPoint scriptCentre(const QString &name)
{
    const QRect r = scriptControls().value(name);
    return { r.x() + r.width() / 2, r.y() + r.height() / 2 };
}
