#include "ui/font_preload.h"

#ifdef DENTARO_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

FontConfigPreload::FontConfigPreload() {
#ifdef DENTARO_HAVE_FONTCONFIG
    // fontconfig initialises its configuration atomically, so Qt's own FcInit, should it come
    // first, either finds this one done or does the work itself. Where no thread can be started
    // the loading is deferred, that is left to Qt.
    m_loaded = std::async([] { FcInit(); });
#endif
}
