#pragma once

#include <QWidget>

// A classic frame: an etched outline whose top line runs half a caption height below the top
// edge, interrupted at the left by the caption. Without a caption the line runs unbroken at the
// same height, so frames that start on one row have their top lines on one row.
class EtchedFrame : public QWidget
{
    Q_OBJECT
public:
    explicit EtchedFrame(const QString &title, QWidget *parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString &title);

    // Where the top line runs, in the frame's own coordinates.
    int topLineY() const;
    // The part of the top line that the caption takes, empty without a caption.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString m_title;
    // Measuring the caption lays it out; it changes only with the title or the font.
    mutable int m_captionWidth = -1;
};
