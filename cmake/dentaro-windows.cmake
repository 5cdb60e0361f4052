# Dentaro's Windows build (the windows preset): the MinGW-w64 cross compiler that Qt was built
# with, the Windows Qt that scripts/qt-windows.sh made (DENTARO_QT_WINDOWS), the host's moc, rcc
# and uic, and Wine to run the tests.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)

if(DENTARO_QT_WINDOWS)
    list(APPEND CMAKE_FIND_ROOT_PATH ${DENTARO_QT_WINDOWS})
    list(APPEND CMAKE_PREFIX_PATH ${DENTARO_QT_WINDOWS})
endif()

# Debian's Qt of the same version keeps its CMake packages under the multiarch folder.
if(NOT DEFINED QT_HOST_PATH)
    set(QT_HOST_PATH /usr)
endif()
if(NOT DEFINED QT_HOST_PATH_CMAKE_DIR)
    file(GLOB host_qt_info LIST_DIRECTORIES true ${QT_HOST_PATH}/lib/*/cmake/Qt6HostInfo)
    if(host_qt_info)
        list(GET host_qt_info 0 host_qt_info)
        get_filename_component(QT_HOST_PATH_CMAKE_DIR ${host_qt_info} DIRECTORY)
    endif()
endif()

# Tests run under Wine, through a script that hands Wine the Qt variables it would drop and puts
# the DLLs on its path.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
