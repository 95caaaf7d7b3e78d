#pragma once
// The system's font list (fontconfig's configuration and caches, Qt's font
// database) is read on a second core while the window is being built; the
// first text the window lays out would otherwise wait for it.

#include <thread>

class FontWarmUp
{
public:
    // Call once QApplication exists; the object must not outlive it.
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

private:
    std::thread m_thread;
};
