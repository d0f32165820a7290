#pragma once

#include <QScrollBar>

#include <array>

// A horizontal slider that tells a thumb drag (scrolled) from every other value change
// (changed), so that each change reaches exactly one of the two. A write of the value it
// already holds reports nothing.
class ChannelScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    explicit ChannelScrollBar(QWidget *parent = nullptr);

    // Marks the writes of one colour hand-over: each still reports its change at once, and the
    // first slider reports the end of the batch, so that what depends on all three channels can
    // follow once instead of after every write.
    class Batch
    {
    public:
        explicit Batch(const std::array<ChannelScrollBar *, 3> &bars);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        std::array<ChannelScrollBar *, 3> m_bars;
    };
    bool inBatch() const { return m_inBatch; }

Q_SIGNALS:
    void changed();
    void scrolled();
    void batchEnded();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_inBatch = false;
};
