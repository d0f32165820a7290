#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

// The loupe as another client sees it: its window, what it shows, and the grabs a hold takes.
namespace LoupeProbe {

double deviceRatio();
// The root window in root pixels.
QRect screenArea();
// What the screen shows in a rectangle of root pixels, in one read.
QImage screenImage(const QRect &area);

struct LoupeSeen
{
    bool exists = false;
    bool viewable = false;
    QRect area;
};
// The loupe window as the server has it: mapped or not, where, how large.
LoupeSeen loupeSeen();

// Every cell of the loupe's grid against the root pixel it stands for, read off the screen at
// the cell's corner farthest from the centre (the frame lies over the centre's neighbours); the
// first mismatch, or an empty text.
QString loupeMismatch(const QRect &loupe, QPoint pointer, int pixels);

// Whether another client can take the pointer and the keyboard, that is, whether no one holds
// them; each taken is given back at once.
bool othersCanGrab(bool pointer, bool keyboard);

} // namespace LoupeProbe
