#pragma once

// Guards against a second running copy on the same desktop.
class SingleInstance
{
public:
    enum class Answer {
        OnlyCopy, // this process is the only copy; it stays so until the object is destroyed
        AnotherCopyRuns,
        CouldNotTell, // the desktop could not be asked: this copy runs as if it were the only one
    };

    virtual ~SingleInstance() = default;
    virtual Answer tryAcquire() = 0;
};
