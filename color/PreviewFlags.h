#pragma once

#include <QtGlobal>

// Which preview panes follow the current colour: 1 on, 0 off, tested for equality with 1.
// One object for the whole program, owned by the window and handed to whoever reads or flips it.
struct PreviewFlags
{
    qint16 PreviewAOn = 0;
    qint16 PreviewBOn = 0;
};
