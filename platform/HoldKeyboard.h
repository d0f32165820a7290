#pragma once

#include <QPoint>

#include <vector>

// The keyboard, taken for the length of a hold whichever window has the focus, and the pointer
// moved in root pixels.
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
};
