#include "color/SamplePreview.h"

#include "core/ColorCodes.h"
#include "widgets/ClickLabel.h"
#include "widgets/PictureBox.h"
#include "widgets/QtColorValue.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

// Both clicks do the same with a different source colour, read once by the caller.
void showSample(const SamplePreview::Controls &c, const PreviewFlags &flags, ColorValue s)
{
    if (flags.PreviewAOn == 1)
        c.Picture11->setBackColor(toQColor(s));
    if (flags.PreviewBOn == 1)
        c.picPreView->setBackColor(toQColor(s));

    // The channels go through the same six-digit hand-over text as the colour sources use.
    const std::string h = ColorToHex(s);
    const std::string_view hv = h;
    const std::string_view hR = hv.substr(0, 2);
    const std::string_view hG = hv.substr(2, 2);
    const std::string_view hB = hv.substr(4, 2);

    c.Text7->setText(toQString(decimalCode(HexToDec(hR), HexToDec(hG), HexToDec(hB))));
    c.Text8->setText(
        toQString(htmlCode(PadLeft(std::string(hR), 2, "0"), PadLeft(std::string(hG), 2, "0"),
            PadLeft(std::string(hB), 2, "0"), c.chkRGB->isChecked())));
    c.Text9->setText(toQString(colorNumber(s)));
}

} // namespace

SamplePreview::SamplePreview(const Controls &controls, const PreviewFlags &flags, QObject *parent)
    : QObject(parent)
    , m_c(controls)
    , m_flags(flags)
{ }

void SamplePreview::Label2_Click()
{
    showSample(m_c, m_flags, toColorValue(m_c.Label2->foreColor()));
}

void SamplePreview::Picture9_Click()
{
    showSample(m_c, m_flags, toColorValue(m_c.Picture9->backColor()));
}
