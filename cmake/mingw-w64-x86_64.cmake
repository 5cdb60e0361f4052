# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-x86-64-posix).
# The posix flavour: its libstdc++ has std::thread and std::mutex, which Qt needs and the win32
# flavour of GCC 12 lacks. Used for Qt itself (scripts/qt-windows.sh) and for Dentaro (the
# windows preset).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DENTARO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DENTARO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DENTARO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DENTARO_MINGW_TRIPLE}-windres)

# Headers, libraries and CMake packages come from the Windows side only: the MinGW sysroot and
# whatever CMAKE_PREFIX_PATH adds (the Windows Qt); programs run at build time come from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${DENTARO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
