#pragma once

#include <future>

// Loads the system's font configuration on a thread of its own. Created just before the
// application object, it overlaps the connection to the window system, so the first text the
// window lays out finds fontconfig's configuration and caches already read. Where the program is
// built without fontconfig it does nothing.
class FontConfigPreload {
public:
    FontConfigPreload();
    FontConfigPreload(const FontConfigPreload &) = delete;
    FontConfigPreload &operator=(const FontConfigPreload &) = delete;
    ~FontConfigPreload();

    // Waits for the loading to end. Call it once the application object exists, before any
    // window is built, so that the toolkit's own font set-up never runs beside it.
    void wait();

private:
    std::future<void> m_loaded;
};
