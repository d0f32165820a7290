#pragma once

#include "platform/Clipboard.h"
#include "platform/SingleInstance.h"
#include "platform/WindowOrder.h"

// Stand-ins where no desktop service can be reached.
class NullSingleInstance : public SingleInstance
{
public:
    bool tryAcquire() override { return true; }
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
