#pragma once

#include <atomic>
#include <memory>
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

    // Joins a thread that is through; one still scanning fonts (a cold font cache on a busy
    // machine starves a niced thread for seconds) is left to the process's end instead. By then
    // the toolkit has read a configuration of its own, and fontconfig drops the second one.
    void release();

private:
    std::shared_ptr<std::atomic<bool>> m_done;
    std::thread m_thread;
};
