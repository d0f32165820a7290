#pragma once

class QWidget;

// Holds the pointer inside a widget's drawing area while a button is down on it.
class PointerConfiner
{
public:
    virtual ~PointerConfiner() = default;
    // Confines the pointer to the widget's contents rectangle; false where that failed.
    virtual bool confine(QWidget *widget) = 0;
    // Lifts any confinement; harmless when none is in force. The releases of buttons still down
    // keep reaching the window, wherever they happen.
    virtual void release() = 0;
};
