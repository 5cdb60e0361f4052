# Included after each project() of Qt's build for Windows (CMAKE_PROJECT_INCLUDE) when the
# MinGW-w64 run-time has no stack-smashing handler of its own (MinGW-w64 10, Debian 12): GCC's
# libssp ends every link line, after the objects that call it, linked statically so that no
# further DLL ships.
string(APPEND CMAKE_C_STANDARD_LIBRARIES " -l:libssp.a")
string(APPEND CMAKE_CXX_STANDARD_LIBRARIES " -l:libssp.a")
