# Dentaro's Windows build (the windows preset): the MinGW-w64 cross compiler that Qt was built
# with, the Windows Qt that scripts/qt-windows.sh made (DENTARO_QT_WINDOWS), the moc, rcc and uic
# built beside it from the same source (its host/ folder), and Wine to run the tests.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)

if(DENTARO_QT_WINDOWS)
    list(APPEND CMAKE_FIND_ROOT_PATH ${DENTARO_QT_WINDOWS})
    list(APPEND CMAKE_PREFIX_PATH ${DENTARO_QT_WINDOWS})
    set(QT_HOST_PATH ${DENTARO_QT_WINDOWS}/host)
    set(QT_HOST_PATH_CMAKE_DIR ${QT_HOST_PATH}/lib/cmake)
    # A Qt that had to link GCC's libssp (MinGW-w64 10) carries the rule that links it, which the
    # program needs too: Qt's static entry point, linked into it, calls libssp.
    if(EXISTS ${DENTARO_QT_WINDOWS}/qt-windows-libssp.cmake)
        set(CMAKE_PROJECT_INCLUDE ${DENTARO_QT_WINDOWS}/qt-windows-libssp.cmake)
    endif()
endif()

# Debian's qt6-base leaves the plug-ins' CMake targets out unless asked for; the Windows folder
# names each plug-in it ships by its target.
set(QT_SKIP_AUTO_PLUGIN_INCLUSION OFF)

# Tests run under Wine, through a script that hands Wine the Qt variables it would drop and puts
# the DLLs on its path.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
