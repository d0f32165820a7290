#include "widgets/ChannelScrollBar.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

ChannelScrollBar::ChannelScrollBar(QWidget *parent)
    : QScrollBar(Qt::Horizontal, parent)
{
    setRange(0, 255);
    setSingleStep(1);
    setPageStep(1);
    // Tracking makes value() follow the thumb, so every display can follow it too.
    setTracking(true);
    // Covering itself, a moved slider does not repaint the frame behind it.
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    connect(this, &QAbstractSlider::valueChanged, this, [this] {
        if (isSliderDown())
            Q_EMIT scrolled();
        else
            Q_EMIT changed();
    });
}

void ChannelScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    // Scroll bars carry no focus mark of their own in the style; the style's focus frame, drawn
    // around the thumb, shows where the arrow keys go however the focus came here.
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    QStyleOptionSlider bar;
    initStyleOption(&bar);
    focus.rect
        = style()->subControlRect(QStyle::CC_ScrollBar, &bar, QStyle::SC_ScrollBarSlider, this);
    focus.backgroundColor = palette().color(QPalette::Button);
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
}

void ChannelScrollBar::keyPressEvent(QKeyEvent *event)
{
    // Qt 6 turns Left and Right round on a scroll bar, whose controls are inverted for the
    // wheel; on this slider Right must raise the value like the thumb moving right.
    switch (event->key()) {
    case Qt::Key_Left:
        triggerAction(isRightToLeft() ? SliderSingleStepAdd : SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        triggerAction(isRightToLeft() ? SliderSingleStepSub : SliderSingleStepAdd);
        break;
    default:
        QScrollBar::keyPressEvent(event);
        break;
    }
}

ChannelScrollBar::Batch::Batch(const std::array<ChannelScrollBar *, 3> &bars)
    : m_bars(bars)
{
    for (ChannelScrollBar *bar : m_bars)
        bar->m_inBatch = true;
}

ChannelScrollBar::Batch::~Batch()
{
    for (ChannelScrollBar *bar : m_bars)
        bar->m_inBatch = false;
    Q_EMIT m_bars[0]->batchEnded();
}
