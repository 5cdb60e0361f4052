# The Debian package. Included by the top-level CMakeLists.txt after dist/ and app/, whose install
# rules make up the package's contents; this file adds what Debian expects of every package (a
# manual page, the copyright file and the changelog, from dist/debian/) and configures CPack's DEB
# generator. scripts/package.sh builds the package; scripts/check_package.sh installs and checks
# it.

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
    return()
endif()

set(debian_source ${CMAKE_CURRENT_LIST_DIR}/debian)
set(debian_binary ${PROJECT_BINARY_DIR}/dist/debian)

# The package's version is the one the program shows, and dpkg and lintian read it again from
# the changelog's latest entry, so the two must not drift apart.
file(STRINGS ${debian_source}/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^dentaro \\(([^) ]+)\\) ")
    message(FATAL_ERROR "dist/debian/changelog does not start with a 'dentaro (VERSION)' entry")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL DENTARO_DISPLAY_VERSION)
    message(FATAL_ERROR "dist/debian/changelog's latest entry is ${CMAKE_MATCH_1}, the program "
        "is ${DENTARO_DISPLAY_VERSION}: add an entry for ${DENTARO_DISPLAY_VERSION}")
endif()

# Debian wants manual pages and changelogs compressed with gzip -9, and -n keeps the file name
# and time out of the header so that the same sources give the same bytes.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
configure_file(${debian_source}/dentaro.1.in ${debian_binary}/dentaro.1 @ONLY)
configure_file(${debian_source}/changelog ${debian_binary}/changelog COPYONLY)
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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dentaro)
set(CPACK_PACKAGE_VERSION ${DENTARO_DISPLAY_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DENTARO_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${debian_source}/strip_sections.cmake)
# Directories get 0755 whatever the umask of whoever builds the package.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# dentaro_1.00_amd64.deb: a native package, so no Debian revision; the architecture is
# dpkg --print-architecture, CPack's default.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Dentaro developers <dentaro@dentaro.org>")
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
