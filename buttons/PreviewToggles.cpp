#include "buttons/PreviewToggles.h"

#include "widgets/ClickLabel.h"
#include "widgets/OutlineShape.h"

namespace {

// Flips one flag with its look; any value other than 0 counts as on.
void toggle(qint16 &flag, ClickLabel *label, OutlineShape *shape)
{
    const QColor color = flag == 0 ? QColor(255, 0, 0) : QColor(0, 0, 0);
    label->setForeColor(color);
    shape->setBorderColor(color);
    flag = flag == 0 ? 1 : 0;
}

// Both flags are tested for equality with 1, as the colour update tests them.
void showLink(const PreviewFlags &flags, OutlineShape *line)
{
    line->setVisible(flags.PreviewAOn == 1 && flags.PreviewBOn == 1);
}

} // namespace

PreviewToggles::PreviewToggles(const Controls &controls, PreviewFlags &flags, QObject *parent)
    : QObject(parent)
    , m_c(controls)
    , m_flags(flags)
{ }

void PreviewToggles::Label3_Click()
{
    toggle(m_flags.PreviewAOn, m_c.Label3, m_c.Shape2);
    showLink(m_flags, m_c.Line1);
}

void PreviewToggles::Label7_Click()
{
    toggle(m_flags.PreviewBOn, m_c.Label7, m_c.Shape3);
    showLink(m_flags, m_c.Line1);
}
