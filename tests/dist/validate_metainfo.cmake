# Runs appstreamcli --pedantic on the metainfo (METAINFO) or on an install tree (TREE) and fails on
# anything it reports. appstreamcli passes files that have info-level and pedantic issues, and some
# of those are real faults (a missing content rating, say), so they must fail here too.
#
# Allowed, and only these:
#   unknown-tag developer            AppStream before 1.0 does not know <developer> yet
#   developer-name-tag-deprecated    AppStream 1.0 and later; <developer_name> stays for the older
#   cid-contains-uppercase-letter    a pedantic hint: the id is also the name of the launcher and of
#                                    the icon, which installed desktops already know it by

if(DEFINED METAINFO)
    set(command ${APPSTREAMCLI} validate --pedantic --no-net ${METAINFO})
elseif(DEFINED TREE)
    set(command ${APPSTREAMCLI} validate-tree --pedantic --no-net ${TREE})
else()
    message(FATAL_ERROR "Give -DMETAINFO=<file> or -DTREE=<directory>")
endif()

# Untranslated, so that the issue lines read as matched below.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${command}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
message("${output}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "appstreamcli failed with status ${status}")
endif()

string(REPLACE "\n" ";" lines "${output}")
set(unexpected "")
foreach(line IN LISTS lines)
    if(NOT line MATCHES "^[ \t]*[EWIP]: ")
        continue()
    endif()
    if(line MATCHES ": unknown-tag developer$" OR line MATCHES ": developer-name-tag-deprecated"
            OR line MATCHES ": cid-contains-uppercase-letter ")
        continue()
    endif()
    string(APPEND unexpected "\n  ${line}")
endforeach()
if(unexpected)
    message(FATAL_ERROR "appstreamcli reported:${unexpected}")
endif()
