#include "ui/font_preload.h"

#include <clocale>
#include <system_error>

#ifdef DENTARO_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

FontConfigPreload::FontConfigPreload() {
#ifdef DENTARO_HAVE_FONTCONFIG
    // fontconfig reads the numbers in its files through the C library's locale, which the
    // application object sets from the environment as it starts. Set here first, to the same
    // locale, it does not change under the loading thread.
    std::setlocale(LC_ALL, "");
    try {
        m_loaded = std::async([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to spare: the toolkit loads the configuration itself when it needs it.
    }
#endif
}

FontConfigPreload::~FontConfigPreload() {
    wait();
}

void FontConfigPreload::wait() {
    if (m_loaded.valid()) {
        m_loaded.get();
    }
}
