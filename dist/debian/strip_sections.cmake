# Run by CPack between staging the package's files and packing them (CPACK_PRE_BUILD_SCRIPTS).
# CPACK_STRIP_FILES has stripped the symbols already; this drops the two sections dh_strip also
# removes from Debian's own binaries: .comment (the compilers' version strings) and .note.

foreach(variable CPACK_TEMPORARY_INSTALL_DIRECTORY CPACK_DENTARO_STRIP)
    if(NOT ${variable})
        message(FATAL_ERROR "strip_sections.cmake needs ${variable}")
    endif()
endforeach()

file(GLOB_RECURSE files LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file IN LISTS files)
    if(IS_SYMLINK "${file}")
        continue()
    endif()
    file(READ "${file}" magic LIMIT 4 HEX)
    if(NOT magic STREQUAL "7f454c46")
        continue()
    endif()
    execute_process(
        COMMAND "${CPACK_DENTARO_STRIP}" --remove-section=.comment --remove-section=.note "${file}"
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${CPACK_DENTARO_STRIP} failed on ${file}")
    endif()
endforeach()
