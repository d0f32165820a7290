#pragma once

#include <thread>

// Reads the desktop's font configuration on a thread of its own, at low priority, while the
// application connects to the display: several milliseconds on a desktop with many fonts that
// the first text the window lays out would otherwise wait for. Should the toolkit need the
// configuration before the thread is through, it reads it itself, and the thread's, read from
// the same files, takes its place.
//
// Only fonts whose cache is up to date are read. Without one, fontconfig scans every font file,
// for seconds on a busy machine at this priority, and the exit, which must let the thread end
// before the toolkit lets go of its fonts, would wait for it: the toolkit scans them itself, at
// its own priority, where it needs them.
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
