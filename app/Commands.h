#pragma once

class QWidget;
class SingleInstance;
class WindowOrder;

// Start-up and window procedures.
namespace Commands {

// False when another copy already runs on this desktop: the caller then ends at once.
bool InitApp(SingleInstance &guard);
// Top first, then Left, from the primary screen and the window's fixed outer size.
void CenterForm(QWidget *frm);
void SetAlwaysOnTop(QWidget *frm, bool onTop, WindowOrder &order);

} // namespace Commands
