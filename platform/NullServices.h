#pragma once

#include "platform/Clipboard.h"
#include "platform/ColorPortal.h"
#include "platform/HoldKeyboard.h"
#include "platform/LoupeWindow.h"
#include "platform/PointerConfiner.h"
#include "platform/ScreenReader.h"
#include "platform/SingleInstance.h"
#include "platform/WindowOrder.h"

// Stand-ins where no desktop service can be reached.
class NullSingleInstance : public SingleInstance
{
public:
    Answer tryAcquire() override { return Answer::OnlyCopy; }
};

class NullClipboard : public Clipboard
{
public:
    bool setText(const QString &) override { return false; }
};

class NullWindowOrder : public WindowOrder
{
public:
    void setTopmost(QWidget *, bool) override { }
};

class NullPointerConfiner : public PointerConfiner
{
public:
    bool confine(QWidget *) override { return false; }
    void release() override { }
};

class NullScreenReader : public ScreenReader
{
public:
    bool pointerPosition(QPoint *, bool *) override { return false; }
    ColorValue pixelAt(QPoint) override { return -1; }
};

class NullColorPortal : public ColorPortal
{
public:
    bool pickColor(QWidget *, Answer) override { return false; }
};

class NullLoupeWindow : public LoupeWindow
{
public:
    bool place(const QRect &) override { return false; }
    void paint(const QImage &) override { }
    void hide() override { }
};

class NullHoldKeyboard : public HoldKeyboard
{
public:
    bool grab() override { return false; }
    void release() override { }
    std::vector<Press> presses() override { return {}; }
    void movePointer(QPoint) override { }
    void endLostPress(std::uintptr_t, Qt::MouseButtons) override { }
};
