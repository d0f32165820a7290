#pragma once

#include <QRadioButton>

// An option button that takes a click anywhere in its rectangle, not only on its circle and
// caption.
class OptionButton : public QRadioButton
{
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint &pos) const override;
};
