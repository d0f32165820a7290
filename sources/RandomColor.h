#pragma once

#include <QObject>

#include <array>
#include <functional>

class ChannelScrollBar;

// "RANDOM": three separate uniform draws in [0, 1), each scaled by 255, written red, green, blue.
class RandomColor : public QObject
{
    Q_OBJECT
public:
    using Draw = std::function<double()>;

    explicit RandomColor(
        const std::array<ChannelScrollBar *, 3> &HScroll1, QObject *parent = nullptr);

    void Label1_Click();
    void Label1_DblClick();

    // floor(r * 255): 0..254 for r in [0, 1).
    static int channelFromDraw(double r);
    // Tests replace the generator with a scripted one.
    void setDraw(Draw draw);

private:
    std::array<ChannelScrollBar *, 3> m_HScroll1;
    Draw m_draw;
};
