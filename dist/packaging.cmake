# The Debian package. Included by the top-level CMakeLists.txt after dist/ and app/, whose install
# rules make up the package's contents; this file adds what Debian expects of every package (a
# manual page, the copyright file and the changelog, from dist/debian/) and configures CPack's DEB
# generator. scripts/package.sh builds the package; scripts/check_package.sh installs and checks
# it.

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
    return()
endif()

set(debian_source ${CMAKE_CURRENT_LIST_DIR}/debian)
set(DENTARO_DEB_MAINTAINER "Dentaro developers <dentaro@dentaro.org>")
set(debian_binary ${PROJECT_BINARY_DIR}/dist/debian)

# Each release gets a package of its own, built there: it links against that release's Qt (Debian
# 13 renamed the libraries, libqt6core6t64 and so on, and its Qt 6.8 has what 6.4 lacks), so the
# package's version names the release it was built for: 1.00+deb12 on Debian 12, 1.00+deb13 on
# Debian 13 (later than +deb12, so an upgraded system takes the newer build), 1.00+debforky on
# testing, 1.00+ubuntu24.04 on Ubuntu 24.04. Read from /etc/os-release unless given; where it
# says nothing, the version is the program's alone.
set(DENTARO_DEB_RELEASE "" CACHE STRING
    "What the Debian package's version ends in after the '+' (empty: from /etc/os-release)")
set(DENTARO_DEB_DISTRIBUTION "" CACHE STRING
    "The distribution of the package's changelog entry (empty: from /etc/os-release)")
foreach(key ID VERSION_ID VERSION_CODENAME PRETTY_NAME)
    set(os_release_${key} "")
endforeach()
if(EXISTS /etc/os-release)
    file(STRINGS /etc/os-release os_release_lines)
    foreach(line IN LISTS os_release_lines)
        foreach(key ID VERSION_ID VERSION_CODENAME PRETTY_NAME)
            if(line MATCHES "^${key}=\"?([^\"]*)\"?$")
                set(os_release_${key} "${CMAKE_MATCH_1}")
            endif()
        endforeach()
    endforeach()
endif()
set(deb_release "${DENTARO_DEB_RELEASE}")
if(deb_release STREQUAL "" AND NOT os_release_ID STREQUAL "")
    set(deb_release "${os_release_ID}")
    if(deb_release STREQUAL "debian")
        set(deb_release deb)
    endif()
    if(NOT os_release_VERSION_ID STREQUAL "")
        string(APPEND deb_release "${os_release_VERSION_ID}")
    else()
        string(APPEND deb_release "${os_release_VERSION_CODENAME}")
    endif()
    # What a Debian version allows, in lower case.
    string(TOLOWER "${deb_release}" deb_release)
    string(REGEX REPLACE "[^a-z0-9.~]" "" deb_release "${deb_release}")
endif()
set(deb_distribution "${DENTARO_DEB_DISTRIBUTION}")
if(deb_distribution STREQUAL "")
    set(deb_distribution "${os_release_VERSION_CODENAME}")
endif()
if(deb_distribution STREQUAL "")
    set(deb_distribution unstable)
endif()
if(NOT deb_release MATCHES "^([a-z0-9][a-z0-9.~]*)?$")
    message(FATAL_ERROR "DENTARO_DEB_RELEASE '${deb_release}' is no part of a Debian version")
endif()
if(deb_release STREQUAL "")
    set(DENTARO_DEB_VERSION "${DENTARO_DISPLAY_VERSION}")
else()
    set(DENTARO_DEB_VERSION "${DENTARO_DISPLAY_VERSION}+${deb_release}")
endif()
if(os_release_PRETTY_NAME STREQUAL "")
    set(os_release_PRETTY_NAME "${deb_distribution}")
endif()

# Debian wants manual pages and changelogs compressed with gzip -9, and -n keeps the file name
# and time out of the header so that the same sources give the same bytes.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
configure_file(${debian_source}/dentaro.1.in ${debian_binary}/dentaro.1 @ONLY)
# The package's changelog starts with an entry for the release's build, dated when it was
# configured (SOURCE_DATE_EPOCH, when set, gives that time), then carries dist/debian/changelog.
file(READ ${debian_source}/changelog changelog)
if(NOT DENTARO_DEB_VERSION STREQUAL DENTARO_DISPLAY_VERSION)
    string(TIMESTAMP build_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
    string(PREPEND changelog
        "dentaro (${DENTARO_DEB_VERSION}) ${deb_distribution}; urgency=medium\n\n"
        "  * Built for ${os_release_PRETTY_NAME}.\n\n"
        " -- ${DENTARO_DEB_MAINTAINER}  ${build_date}\n\n")
endif()
file(WRITE ${debian_binary}/changelog "${changelog}")
set(compressed "")
foreach(name dentaro.1 changelog)
    add_custom_command(OUTPUT ${debian_binary}/${name}.gz
        COMMAND ${GZIP_EXECUTABLE} -9nkf ${debian_binary}/${name}
        DEPENDS ${debian_binary}/${name}
        VERBATIM)
    list(APPEND compressed ${debian_binary}/${name}.gz)
endforeach()
add_custom_target(dentaro_compressed_docs ALL DEPENDS ${compressed})

install(FILES ${debian_binary}/dentaro.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Named after the package rather than CMAKE_INSTALL_DOCDIR, which follows the project's name.
install(FILES ${debian_source}/copyright ${debian_binary}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dentaro)
# What lintian reports and is right to, with the reason in the file: from lintian 2.119 on (Debian
# 13, testing) it validates the metainfo with appstreamcli, which warns that there is no home
# page. Older ones (Debian 12's 2.116, Ubuntu 24.04's 2.117) have no such check and call an
# override of a tag they do not know an error, so the packages built there carry none.
if(os_release_ID STREQUAL "debian" AND (os_release_VERSION_ID STREQUAL ""
        OR os_release_VERSION_ID VERSION_GREATER_EQUAL 13))
    install(FILES ${debian_source}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME dentaro)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dentaro)
set(CPACK_PACKAGE_VERSION ${DENTARO_DEB_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DENTARO_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${debian_source}/strip_sections.cmake)
# The modes of the package's directories follow the umask of whoever runs CPack (setting
# CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS does not change them): scripts/package.sh sets 022.

# dentaro_1.00+deb12_amd64.deb: a native package, so no Debian revision; the architecture is
# dpkg --print-architecture, CPack's default.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${DENTARO_DEB_MAINTAINER}")
# Where Debian files its other calculators (galculator, kcalc, gnome-calculator, qalculate-gtk).
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "gearing calculator for six-speed shifter karts")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
A kart mechanic types the tooth counts of the primary drive, of the six gear
pairs and of the chain drive, the engine speed and the tyre circumference, and
reads the primary ratio, the revolutions at the gearbox input, the ratio of
each gear, the final-drive ratio and the road speed in every gear.

Six buttons fill in the stock gearing of six kart engines. Numbers follow the
user's locale. The interface is in Italian.]=])

# The libraries come from dpkg-shlibdeps. The captions ask for "Comic Sans MS", which Debian
# does not ship; fonts-comic-neue answers to that name. It is a Depends, not a Recommends: the
# captions sit in boxes of fixed size drawn for that face, and with the desktop's sans-serif in
# its place "Circonferenza Gomma", "Pign. Primaria", "Cor. Primaria", two column headings,
# "3° Marcia" and "Motori" are cut off, so the window cannot be read whole. A Recommends would
# leave them cut off wherever packages are installed with --no-install-recommends.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-comic-neue)

include(CPack)
