#pragma once

#include <QWidget>

// A rectangle outline without fill, or a straight horizontal line. Decoration only: presses
// fall through to the container.
class OutlineShape : public QWidget
{
    Q_OBJECT
public:
    enum class Kind { Rectangle, HorizontalLine };

    explicit OutlineShape(Kind kind, QWidget *parent = nullptr);

    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
    QColor m_borderColor = Qt::black;
};
