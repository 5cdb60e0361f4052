# Installs the build tree BUILD_DIR under a fresh PREFIX and checks that the launcher, the metainfo
# and the icon land where desktops look for them, unchanged, and that the icon is a 32x32 PNG with
# an alpha channel as its folder says.

foreach(variable BUILD_DIR PREFIX DATADIR DIST_DIR APP_ID)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "Give -D${variable}=...")
    endif()
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
set(install_command ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}")
if(CONFIG)
    list(APPEND install_command --config "${CONFIG}")
endif()
# A DESTDIR in the environment would put the files somewhere else.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DESTDIR ${install_command}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed with status ${status}:\n${output}")
endif()

set(failures "")
foreach(pair
        "applications/${APP_ID}.desktop=${APP_ID}.desktop"
        "metainfo/${APP_ID}.metainfo.xml=${APP_ID}.metainfo.xml"
        "icons/hicolor/32x32/apps/${APP_ID}.png=${APP_ID}.png")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 installed)
    list(GET pair 1 source)
    set(installed "${PREFIX}/${DATADIR}/${installed}")
    if(NOT EXISTS "${installed}")
        string(APPEND failures "\n  missing: ${installed}")
        continue()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${installed}" "${DIST_DIR}/${source}"
        RESULT_VARIABLE different)
    if(different)
        string(APPEND failures "\n  differs from dist/${source}: ${installed}")
    endif()
endforeach()

set(icon "${PREFIX}/${DATADIR}/icons/hicolor/32x32/apps/${APP_ID}.png")
if(EXISTS "${icon}")
    # PNG signature, then the IHDR chunk: width, height, bit depth, colour type (6 is RGBA).
    file(READ "${icon}" header LIMIT 26 HEX)
    string(SUBSTRING "${header}" 32 16 size)
    string(SUBSTRING "${header}" 50 -1 colour_type)
    if(NOT header MATCHES "^89504e470d0a1a0a0000000d49484452")
        string(APPEND failures "\n  not a PNG: ${icon}")
    elseif(NOT size STREQUAL "0000002000000020")
        string(APPEND failures "\n  not 32x32 pixels: ${icon}")
    elseif(NOT colour_type STREQUAL "06")
        string(APPEND failures "\n  has no alpha channel (colour type is not RGBA): ${icon}")
    endif()
endif()

if(failures)
    message(FATAL_ERROR "The install tree under ${PREFIX} is wrong:${failures}")
endif()
message(STATUS "Installed under ${PREFIX}: launcher, metainfo and 32x32 icon")
