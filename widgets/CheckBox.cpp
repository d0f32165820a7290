#include "widgets/CheckBox.h"

bool CheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
