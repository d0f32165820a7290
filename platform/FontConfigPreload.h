#pragma once

#include <thread>

// Reads the desktop's font configuration on a thread of its own, at low priority, while the
// application connects to the display: several milliseconds on a desktop with many fonts that
// the first text the window lays out would otherwise wait for. Should the toolkit need the
// configuration before the thread is through, it reads it itself and fontconfig keeps one.
class FontConfigPreload
{
public:
    FontConfigPreload();
    ~FontConfigPreload();
    FontConfigPreload(const FontConfigPreload &) = delete;
    FontConfigPreload &operator=(const FontConfigPreload &) = delete;

    // Call before the toolkit lets go of its fonts at the end.
    void finish();

private:
    std::thread m_thread;
};
