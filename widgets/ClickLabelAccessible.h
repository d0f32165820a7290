#pragma once

#include <QAccessibleWidget>

class ClickLabel;

// Lets a screen reader announce a ClickLabel as the button it acts as, and press it.
class ClickLabelAccessible : public QAccessibleWidget
{
public:
    explicit ClickLabelAccessible(ClickLabel *label);

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

    // Registers the interface for every ClickLabel; repeated calls are harmless.
    static void install();
};
