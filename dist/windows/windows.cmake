# The Windows program as users get it: one folder with dentaro.exe at its top and beside it only
# what the program loads (three Qt DLLs, four plug-ins, the MinGW run-time), the licence texts of
# what it ships, and CPack's NSIS installer and zip of that folder. Included by the top-level
# CMakeLists.txt after app/; scripts/package-windows.sh builds both packages.
#
# There is no windeployqt here, so the install rules name each file. Qt looks for its plug-ins in
# folders beside the program (platforms/, styles/, imageformats/), which is the layout below; no
# qt.conf is needed.
#
# The rules take the run-time, the licence texts and their versions from the Debian or Ubuntu
# machine that cross-builds with MinGW-w64, the one way Dentaro is built for Windows.

if(NOT (WIN32 AND MINGW AND CMAKE_CROSSCOMPILING))
    return()
endif()

# The DLLs of the MinGW run-time that the program and Qt link against, as the compiler finds
# them: libstdc++ and libgcc from GCC's own folder, winpthread from the MinGW sysroot. Debian's
# carry their debugging information (libstdc++ is 24 MB so, 2 MB without), so the copies that
# ship are stripped.
set(DENTARO_MINGW_RUNTIME_DLLS "")
set(shipped_runtime "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} knows no ${dll}")
    endif()
    list(APPEND DENTARO_MINGW_RUNTIME_DLLS ${path})
    set(stripped ${PROJECT_BINARY_DIR}/dist/windows/runtime/${dll})
    add_custom_command(OUTPUT ${stripped}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/dist/windows/runtime
        COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${stripped} ${path}
        DEPENDS ${path}
        VERBATIM)
    list(APPEND shipped_runtime ${stripped})
endforeach()
add_custom_target(dentaro_shipped_runtime ALL DEPENDS ${shipped_runtime})

# Where Wine finds the DLLs when the build's own programs run there (the tests, the start-up
# benchmark): Qt's folder and the run-time's, as host paths separated by colons, which
# cmake/wine-run.sh reads from DENTARO_WINE_DLL_DIRS. Also written to wine-dll-dirs.txt in the
# build folder for scripts.
set(dll_dirs $<TARGET_FILE_DIR:Qt6::Core>)
foreach(dll IN LISTS DENTARO_MINGW_RUNTIME_DLLS)
    get_filename_component(dir ${dll} DIRECTORY)
    list(APPEND dll_dirs ${dir})
endforeach()
list(REMOVE_DUPLICATES dll_dirs)
list(JOIN dll_dirs ":" DENTARO_WINE_DLL_DIRS)
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/wine-dll-dirs.txt CONTENT "${DENTARO_WINE_DLL_DIRS}\n")

# What each file is for:
#   Qt6Core, Qt6Gui, Qt6Widgets    the toolkit (Test is for the tests only and does not ship)
#   platforms/qwindows.dll         the Windows platform: windows, input, fonts, system colours
#   styles/qmodernwindowsstyle.dll the native look of buttons, boxes and the frame
#   imageformats/qjpeg.dll         the engine photo
#   imageformats/qico.dll          the helmet icon
#   the MinGW run-time             C++ library, GCC support, threads, shared by Qt and the program
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
    ${shipped_runtime}
    DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QModernWindowsStylePlugin> DESTINATION styles)
install(FILES $<TARGET_FILE:Qt6::QJpegPlugin> $<TARGET_FILE:Qt6::QICOPlugin>
    DESTINATION imageformats)

# The licences of what ships with the program, and where the source of each is to be had. The
# texts are those of the very versions built here: Qt's copyright file from the source it was
# built from, the others the build machine's own copies (base-files and Debian's packages of
# MinGW-w64).
set(licences ${PROJECT_BINARY_DIR}/dist/windows/licences)
function(dentaro_package_version package field out)
    execute_process(COMMAND dpkg-query -W -f=\${${field}} ${package}
        OUTPUT_VARIABLE version RESULT_VARIABLE status ERROR_QUIET)
    if(NOT status EQUAL 0 OR version STREQUAL "")
        message(FATAL_ERROR "The licence notes need the Debian package ${package}")
    endif()
    set(${out} ${version} PARENT_SCOPE)
endfunction()
dentaro_package_version(gcc-mingw-w64-x86-64-posix-runtime Version DENTARO_GCC_VERSION)
dentaro_package_version(gcc-mingw-w64-x86-64-posix-runtime source:Version
    DENTARO_GCC_SOURCE_VERSION)
dentaro_package_version(mingw-w64-x86-64-dev source:Version DENTARO_MINGW_SOURCE_VERSION)
# The Windows Qt notes what it was built from: the source package, its version and its Debian
# release on the first line, the switches on the second; its copyright file lies beside.
if(NOT DENTARO_QT_WINDOWS OR NOT EXISTS ${DENTARO_QT_WINDOWS}/configuration.txt)
    message(FATAL_ERROR "DENTARO_QT_WINDOWS names no Qt made by scripts/qt-windows.sh")
endif()
file(STRINGS ${DENTARO_QT_WINDOWS}/configuration.txt configuration LIMIT_COUNT 2)
list(GET configuration 0 qt_source)
if(NOT qt_source MATCHES "^qt6-base ([^ ]+) ([a-z]+)$")
    message(FATAL_ERROR "${DENTARO_QT_WINDOWS}/configuration.txt names no qt6-base source")
endif()
set(DENTARO_QT_SOURCE_VERSION ${CMAKE_MATCH_1})
set(DENTARO_QT_SOURCE_SUITE ${CMAKE_MATCH_2})
list(GET configuration 1 DENTARO_QT_CONFIGURATION)
configure_file(${CMAKE_CURRENT_LIST_DIR}/LICENCES.txt.in ${licences}/LICENCES.txt @ONLY NEWLINE_STYLE CRLF)
set(licence_sources
    "/usr/share/common-licenses/LGPL-3|LGPL-3.0.txt"
    "/usr/share/common-licenses/GPL-3|GPL-3.0.txt"
    "${DENTARO_QT_WINDOWS}/qt6-base-copyright|Qt-copyright.txt"
    "/usr/share/doc/gcc-mingw-w64-base/copyright|GCC-runtime-copyright.txt"
    "/usr/share/doc/mingw-w64-x86-64-dev/copyright|MinGW-w64-copyright.txt")
set(licence_files ${licences}/LICENCES.txt)
foreach(pair IN LISTS licence_sources)
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    if(NOT EXISTS ${from})
        message(FATAL_ERROR "The licence text ${from} is missing")
    endif()
    # With Windows line ends, so that Notepad shows them as the lines they are.
    file(READ ${from} text)
    string(REGEX REPLACE "\r?\n" "\r\n" text "${text}")
    file(WRITE ${licences}/${to} "${text}")
    list(APPEND licence_files ${licences}/${to})
endforeach()
install(FILES ${licence_files} DESTINATION licences)

set(CPACK_GENERATOR NSIS ZIP)
# Values reach the NSIS script as written here: quotes, backslashes and dollars included.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME Dentaro)
set(CPACK_PACKAGE_VENDOR "Dentaro developers")
set(CPACK_PACKAGE_VERSION ${DENTARO_DISPLAY_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Gearing calculator for six-speed shifter karts")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Dentaro)
set(CPACK_STRIP_FILES ON)
# dentaro-1.00-win64-setup.exe and dentaro-1.00-win64.zip, which holds a folder of that name.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_file_names.cmake)
set(CPACK_DENTARO_FILE_STEM dentaro-${DENTARO_DISPLAY_VERSION}-win64)

# The installer: CPack's NSIS generator with a template of Dentaro's own (NSIS.template.in beside
# this file, which CPack finds through CMAKE_MODULE_PATH): 64-bit and Unicode (the stubs of
# Debian's nsis), for the current user alone or for all users, with a Start-menu shortcut to the
# program and an uninstaller registered with Windows in the user's or the machine's hive.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_NSIS_PACKAGE_NAME "${DENTARO_PRODUCT_NAME}")
set(CPACK_NSIS_DISPLAY_NAME "${DENTARO_PRODUCT_NAME}")
set(CPACK_NSIS_INSTALLED_ICON_NAME dentaro.exe)
set(CPACK_NSIS_MUI_ICON ${DENTARO_ICON_PATH})
set(CPACK_NSIS_MUI_UNIICON ${DENTARO_ICON_PATH})
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES dentaro "${DENTARO_PRODUCT_NAME}")
set(CPACK_NSIS_CONTACT "dentaro@dentaro.org")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# The installer's own version record takes four numbers, as dentaro.exe's.
string(REPLACE "," "." CPACK_DENTARO_FILE_VERSION "${DENTARO_RC_VERSION}")

# The same commit gives the same installer and zip: the compiler and the linker take their times
# from SOURCE_DATE_EPOCH (scripts/package-windows.sh sets it), the installer keeps no file times
# (SetDateSave off in the template) and CPack gives the zip's entries that time. What the zip
# still takes from the machine that packs it (the owner's user and group numbers, modes after the
# umask, times in the local time zone) Debian's strip-nondeterminism sets to fixed values, after
# CPack has written it.
find_program(DENTARO_STRIP_NONDETERMINISM strip-nondeterminism REQUIRED)
set(CPACK_DENTARO_STRIP_NONDETERMINISM ${DENTARO_STRIP_NONDETERMINISM})
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/normalise_zip.cmake)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# A signed release (scripts/release.sh --sign) signs dentaro.exe before CPack packs it, and
# makensis signs the uninstaller before it puts it into the installer and the installer once it
# is written, all with scripts/sign-windows.sh, which takes the certificate and the key from the
# environment when CPack runs. Unsigned, the same three files get the padding and PE checksum a
# signature leaves behind (sign-windows.sh --unsigned), so that a signed release with its
# signatures taken off equals an unsigned build.
option(DENTARO_SIGN
    "Sign dentaro.exe, the uninstaller and the installer (DENTARO_SIGN_CERT, DENTARO_SIGN_KEY)" OFF)
set(CPACK_DENTARO_SIGN ${PROJECT_SOURCE_DIR}/scripts/sign-windows.sh)
if(NOT DENTARO_SIGN)
    list(APPEND CPACK_DENTARO_SIGN --unsigned)
endif()
list(APPEND CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/sign_program.cmake)
list(JOIN CPACK_DENTARO_SIGN "\" \"" sign_command)
set(CPACK_NSIS_DEFINES
    "!uninstfinalize '\"${sign_command}\" \"%1\"' = 0\n!finalize '\"${sign_command}\" \"%1\"' = 0")

include(CPack)

# This file is included, not a folder of its own: its working variables go, so that the tests
# and benchmarks added after it do not see them.
unset(shipped_runtime)
unset(stripped)
unset(path)
unset(dll)
unset(dll_dirs)
unset(dir)
unset(licences)
unset(configuration)
unset(licence_sources)
unset(licence_files)
unset(pair)
unset(from)
unset(to)
unset(text)
unset(sign_command)
