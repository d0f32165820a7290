#include "widgets/SmallIndicatorStyle.h"

int SmallIndicatorStyle::pixelMetric(
    PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
        return 13;
    case PM_CheckBoxLabelSpacing:
        // The caption keeps its place beside the style's own, one pixel wider, box.
        return QProxyStyle::pixelMetric(metric, option, widget) + 1;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}
