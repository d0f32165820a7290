#pragma once

#include "TestWindow.h"
#include "app/frmQuorvin.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/ClickLabel.h"
#include "widgets/PictureBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace ColorTest {

// Writes the sliders the way every colour source does: red first.
inline void setChannels(frmQuorvinUi &ui, int r, int g, int b)
{
    ui.HScroll1[0]->setValue(r);
    ui.HScroll1[1]->setValue(g);
    ui.HScroll1[2]->setValue(b);
}

inline QString fields(const frmQuorvinUi &ui)
{
    return QStringList { ui.Text2->text(), ui.Text1->text(), ui.Text3->text(), ui.Text4->text(),
        ui.Text5->text(), ui.Text6->text() }
        .join(u' ');
}

inline QString codes(const frmQuorvinUi &ui)
{
    return QStringList { ui.Text7->text(), ui.Text8->text(), ui.Text9->text() }.join(u' ');
}

// What every display must show for the sliders' current values, formatted by Qt rather than
// by the code under test. Returns the first mismatch, or an empty text.
inline QString mismatchWithSliders(const frmQuorvinUi &ui)
{
    const int r = ui.HScroll1[0]->value();
    const int g = ui.HScroll1[1]->value();
    const int b = ui.HScroll1[2]->value();
    const auto hex
        = [](int v) { return QStringLiteral("%1").arg(v, 2, 16, QChar(u'0')).toUpper(); };
    const QString wantFields = QStringList { QString::number(r), hex(r), QString::number(g), hex(g),
        QString::number(b), hex(b) }
                                   .join(u' ');
    const QString wantHtml = ui.chkRGB->isChecked() ? u'#' + hex(b) + hex(g) + hex(r)
                                                    : u'#' + hex(r) + hex(g) + hex(b);
    const QString wantCodes = QStringLiteral("%1,%2,%3 %4 %5")
                                  .arg(r)
                                  .arg(g)
                                  .arg(b)
                                  .arg(wantHtml)
                                  .arg(r + 256 * g + 65536 * b);
    const QColor color(r, g, b);
    if (fields(ui) != wantFields)
        return QStringLiteral("fields %1, want %2").arg(fields(ui), wantFields);
    if (codes(ui) != wantCodes)
        return QStringLiteral("codes %1, want %2").arg(codes(ui), wantCodes);
    if (ui.Picture2->backColor() != QColor(r, 0, 0) || ui.Picture3->backColor() != QColor(0, g, 0)
        || ui.Picture4->backColor() != QColor(0, 0, b))
        return QStringLiteral("a channel bar lags");
    if (ui.Picture11->backColor() != color)
        return QStringLiteral("pane A lags");
    const QColor sample
        = ui.Option1[0]->isChecked() ? ui.Label2->foreColor() : ui.Picture9->backColor();
    if (sample != color)
        return QStringLiteral("the sample lags");
    return {};
}

} // namespace ColorTest
