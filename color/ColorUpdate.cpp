#include "color/ColorUpdate.h"

#include "color/ColorCodes.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/ClickLabel.h"
#include "widgets/PictureBox.h"
#include "widgets/QtColorValue.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

ColorUpdate::ColorUpdate(const Controls &controls, const PreviewFlags &flags, QObject *parent)
    : QObject(parent)
    , m_c(controls)
    , m_flags(flags)
{ }

void ColorUpdate::HScroll1_Change(int Index)
{
    const int r = m_c.HScroll1[0]->value();
    const int g = m_c.HScroll1[1]->value();
    const int b = m_c.HScroll1[2]->value();

    // The other two swatches already show their channels.
    switch (Index) {
    case 0:
        m_c.Picture2->setBackColor(toQColor(rgbValue(r, 0, 0)));
        break;
    case 1:
        m_c.Picture3->setBackColor(toQColor(rgbValue(0, g, 0)));
        break;
    case 2:
        m_c.Picture4->setBackColor(toQColor(rgbValue(0, 0, b)));
        break;
    default:
        break;
    }

    m_c.Text2->setText(toQString(dec(r)));
    m_c.Text1->setText(toQString(hex2(r)));
    m_c.Text3->setText(toQString(dec(g)));
    m_c.Text4->setText(toQString(hex2(g)));
    m_c.Text5->setText(toQString(dec(b)));
    m_c.Text6->setText(toQString(hex2(b)));

    const ColorValue c = rgbValue(r, g, b);
    const QColor colour = toQColor(c);
    if (m_flags.PreviewAOn == 1)
        m_c.Picture11->setBackColor(colour);
    if (m_flags.PreviewBOn == 1)
        m_c.picPreView->setBackColor(colour);
    if (m_c.Option1[0]->isChecked())
        m_c.Label2->setForeColor(colour);
    if (m_c.Option1[1]->isChecked())
        m_c.Picture9->setBackColor(colour);

    m_c.Text7->setText(toQString(decimalCode(r, g, b)));
    m_c.Text8->setText(toQString(htmlCode(r, g, b, m_c.chkRGB->isChecked())));
    m_c.Text9->setText(toQString(colourNumber(c)));
}

void ColorUpdate::HScroll1_Scroll(int Index)
{
    HScroll1_Change(Index);
}
