#pragma once

#include <QPoint>
#include <Qt>

#include <cstdint>

#include <vector>

// The keyboard, taken for the length of a hold whichever window has the focus, and the pointer
// as a hold moves and ends it.
class HoldKeyboard
{
public:
    enum class Key { Left, Right, Up, Down, Escape };
    struct Press
    {
        Key key;
        bool shift = false;
    };

    virtual ~HoldKeyboard() = default;
    virtual bool grab() = 0;
    // Gives the keyboard back; harmless when it was not taken.
    virtual void release() = 0;
    // The keys pressed since the last question, oldest first; others are dropped.
    virtual std::vector<Press> presses() = 0;
    virtual void movePointer(QPoint by) = 0;
    // Tells a window of this program that buttons pressed on it are up, where their release
    // went elsewhere (the window was unmapped, another program took the pointer): the toolkit
    // would otherwise take them for held until the next click.
    virtual void endLostPress(std::uintptr_t window, Qt::MouseButtons down) = 0;
};
