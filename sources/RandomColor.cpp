#include "sources/RandomColor.h"

#include "widgets/ChannelScrollBar.h"

#include <QRandomGenerator>

#include <cmath>

namespace {

// Seeded once from the system's entropy source and shared, so draws within one clock
// reading, or from two instances made at the same moment, still differ.
double systemDraw()
{
    return QRandomGenerator::global()->generateDouble();
}

} // namespace

RandomColor::RandomColor(const std::array<ChannelScrollBar *, 3> &HScroll1, QObject *parent)
    : QObject(parent)
    , m_HScroll1(HScroll1)
    , m_draw(systemDraw)
{ }

void RandomColor::Label1_Click()
{
    // One draw per slider, each written before the next draw, so every write runs its own
    // update.
    for (ChannelScrollBar *slider : m_HScroll1)
        slider->setValue(channelFromDraw(m_draw()));
}

void RandomColor::Label1_DblClick()
{
    Label1_Click();
}

int RandomColor::channelFromDraw(double r)
{
    // 255, not 256: the brightest channel is 254.
    return static_cast<int>(std::floor(r * 255.0));
}

void RandomColor::setDraw(Draw draw)
{
    m_draw = draw ? std::move(draw) : Draw(systemDraw);
}
