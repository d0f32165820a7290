#pragma once

#include <QScrollBar>

// A horizontal slider that tells a thumb drag (scrolled) from every other value change
// (changed), so that each change reaches exactly one of the two. A write of the value it
// already holds reports nothing.
class ChannelScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    explicit ChannelScrollBar(QWidget *parent = nullptr);

Q_SIGNALS:
    void changed();
    void scrolled();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
