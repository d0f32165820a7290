#include "color/ColorUpdate.h"

#include "core/ColorCodes.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/ClickLabel.h"
#include "widgets/PictureBox.h"
#include "widgets/QtColorValue.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// A field keeps its text, layout and pixels when the text stays the same.
void setTextIfChanged(QLineEdit *field, const std::string &text)
{
    const QString t = toQString(text);
    if (field->text() != t)
        field->setText(t);
}

} // namespace

ColorUpdate::ColorUpdate(const Controls &controls, const PreviewFlags &flags, QObject *parent)
    : QObject(parent)
    , m_c(controls)
    , m_flags(flags)
{
    connect(m_c.HScroll1[0], &ChannelScrollBar::batchEnded, this, [this] {
        if (m_wholeColorPending)
            followWholeColor();
    });
}

void ColorUpdate::HScroll1_Change(int Index)
{
    const int r = m_c.HScroll1[0]->value();
    const int g = m_c.HScroll1[1]->value();
    const int b = m_c.HScroll1[2]->value();

    // The other two bars already show their channels.
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

    setTextIfChanged(m_c.Text2, dec(r));
    setTextIfChanged(m_c.Text1, hex2(r));
    setTextIfChanged(m_c.Text3, dec(g));
    setTextIfChanged(m_c.Text4, hex2(g));
    setTextIfChanged(m_c.Text5, dec(b));
    setTextIfChanged(m_c.Text6, hex2(b));

    // Within one hand-over the panes, the sample and the codes follow once, after its last
    // write, showing what that write's update would have left.
    if (m_c.HScroll1[0]->inBatch()) {
        m_wholeColorPending = true;
        return;
    }
    followWholeColor();
}

void ColorUpdate::followWholeColor()
{
    m_wholeColorPending = false;
    const int r = m_c.HScroll1[0]->value();
    const int g = m_c.HScroll1[1]->value();
    const int b = m_c.HScroll1[2]->value();
    const ColorValue c = rgbValue(r, g, b);
    const QColor color = toQColor(c);
    if (m_flags.PreviewAOn == 1)
        m_c.Picture11->setBackColor(color);
    if (m_flags.PreviewBOn == 1)
        m_c.picPreView->setBackColor(color);
    if (m_c.Option1[0]->isChecked())
        m_c.Label2->setForeColor(color);
    if (m_c.Option1[1]->isChecked())
        m_c.Picture9->setBackColor(color);

    setTextIfChanged(m_c.Text7, decimalCode(r, g, b));
    setTextIfChanged(m_c.Text8, htmlCode(r, g, b, m_c.chkRGB->isChecked()));
    setTextIfChanged(m_c.Text9, colorNumber(c));
}

void ColorUpdate::HScroll1_Scroll(int Index)
{
    HScroll1_Change(Index);
}
