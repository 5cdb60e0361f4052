#pragma once

#include <future>

// Loads the system's font configuration on a thread of its own. Created before the application
// object, it overlaps the connection to the window system, so the first text the window lays out
// finds fontconfig's configuration and caches already read. Where the program is built without
// fontconfig it does nothing. Its destruction waits for the loading to end.
class FontConfigPreload {
public:
    FontConfigPreload();
    FontConfigPreload(const FontConfigPreload &) = delete;
    FontConfigPreload &operator=(const FontConfigPreload &) = delete;
    ~FontConfigPreload() = default;

private:
    std::future<void> m_loaded;
};
