#pragma once

#include "color/PreviewFlags.h"

#include <QObject>

class ClickLabel;
class OutlineShape;

// The toggles "A" and "B": which preview pane follows the current colour.
class PreviewToggles : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        ClickLabel *Label3 = nullptr; // "A"
        OutlineShape *Shape2 = nullptr; // outline of "A"
        ClickLabel *Label7 = nullptr; // "B"
        OutlineShape *Shape3 = nullptr; // outline of "B"
        OutlineShape *Line1 = nullptr; // link line, shown while both are on
    };

    PreviewToggles(const Controls &controls, PreviewFlags &flags, QObject *parent = nullptr);

    void Label3_Click();
    void Label7_Click();

private:
    Controls m_c;
    PreviewFlags &m_flags;
};
