#include "widgets/ClickLabelAccessible.h"

#include "widgets/ClickLabel.h"

namespace {

QAccessibleInterface *clickLabelFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("ClickLabel") && object && object->isWidgetType())
        return new ClickLabelAccessible(static_cast<ClickLabel *>(object));
    return nullptr;
}

} // namespace

ClickLabelAccessible::ClickLabelAccessible(ClickLabel *label)
    : QAccessibleWidget(label, QAccessible::Button)
{ }

QString ClickLabelAccessible::text(QAccessible::Text t) const
{
    QString s = QAccessibleWidget::text(t);
    // Without a name of its own the caption is what a sighted user reads.
    if (t == QAccessible::Name && s.isEmpty())
        s = static_cast<const ClickLabel *>(widget())->text();
    return s;
}

QStringList ClickLabelAccessible::actionNames() const
{
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
}

void ClickLabelAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        Q_EMIT static_cast<ClickLabel *>(widget())->clicked();
    else
        QAccessibleWidget::doAction(actionName);
}

void ClickLabelAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(clickLabelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
