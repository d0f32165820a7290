#pragma once

// Guards against a second running copy on the same desktop.
class SingleInstance
{
public:
    virtual ~SingleInstance() = default;
    // True when this process is the only copy; it stays so until the object is destroyed.
    virtual bool tryAcquire() = 0;
};
