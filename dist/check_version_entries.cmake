# The version is written once, as DENTARO_DISPLAY_VERSION in the top-level CMakeLists.txt; the
# program's version record, the package versions and the file names are made from it. Two files
# carry it as well, in entries a person writes with the release's notes: the latest entry of
# dist/debian/changelog and the latest <release> of the AppStream metainfo. This refuses a tree
# whose entries name another version than the program's, naming the file and what it says.
# Included by dist/CMakeLists.txt, or run as a script:
#   cmake -DVERSION=1.00 -DCHANGELOG=dist/debian/changelog -DMETAINFO=dist/...metainfo.xml -P ...

foreach(variable VERSION CHANGELOG METAINFO)
    if(NOT DEFINED ${variable} OR "${${variable}}" STREQUAL "")
        message(FATAL_ERROR "check_version_entries.cmake needs -D${variable}=...")
    endif()
endforeach()

set(disagreements "")
file(STRINGS "${CHANGELOG}" changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^dentaro \\(([^) ]+)\\) ")
    string(APPEND disagreements "\n  ${CHANGELOG} does not start with a 'dentaro (VERSION)' entry")
elseif(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    string(APPEND disagreements "\n  ${CHANGELOG}: the latest entry is ${CMAKE_MATCH_1}; "
        "add one for ${VERSION} at the top")
endif()
# AppStream lists the releases newest first.
file(READ "${METAINFO}" metainfo)
if(NOT metainfo MATCHES "<release [^>]*version=\"([^\"]*)\"")
    string(APPEND disagreements "\n  ${METAINFO} has no <release version=\"...\">")
elseif(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    string(APPEND disagreements "\n  ${METAINFO}: the latest <release> is ${CMAKE_MATCH_1}; "
        "add one for ${VERSION} first in <releases>")
endif()
if(NOT disagreements STREQUAL "")
    message(FATAL_ERROR "The program's version is ${VERSION} (DENTARO_DISPLAY_VERSION in "
        "CMakeLists.txt), but:${disagreements}")
endif()
unset(disagreements)
unset(changelog_top)
unset(metainfo)
