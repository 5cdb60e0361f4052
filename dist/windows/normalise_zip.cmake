# Run by CPack after it has written a package (CPACK_POST_BUILD_SCRIPTS): gives the zip's entries
# a fixed order, the time SOURCE_DATE_EPOCH names (in UTC), modes 0644 and 0755 and no owner, with
# Debian's strip-nondeterminism. The installer needs nothing of this.

if(NOT CPACK_DENTARO_STRIP_NONDETERMINISM)
    message(FATAL_ERROR "normalise_zip.cmake needs CPACK_DENTARO_STRIP_NONDETERMINISM")
endif()
set(timestamp "")
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(timestamp --timestamp "$ENV{SOURCE_DATE_EPOCH}")
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.zip$")
        continue()
    endif()
    execute_process(
        COMMAND "${CPACK_DENTARO_STRIP_NONDETERMINISM}" --type zip ${timestamp} "${package}"
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "strip-nondeterminism failed on ${package}")
    endif()
endforeach()
