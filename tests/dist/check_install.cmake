# Installs the build tree BUILD_DIR under a fresh PREFIX and checks that the launcher, the metainfo
# and the icons land where desktops look for them, unchanged; that each theme icon of ICON_SIZES
# (a comma-separated list) is a PNG of the size its folder says, with an alpha channel; and that
# the scalable icon is an SVG document.

foreach(variable BUILD_DIR PREFIX DATADIR DIST_DIR APP_ID ICON_SIZES)
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

string(REPLACE "," ";" icon_sizes "${ICON_SIZES}")
set(installs
    "applications/${APP_ID}.desktop=${APP_ID}.desktop"
    "metainfo/${APP_ID}.metainfo.xml=${APP_ID}.metainfo.xml"
    "icons/hicolor/scalable/apps/${APP_ID}.svg=icons/scalable/${APP_ID}.svg")
foreach(size IN LISTS icon_sizes)
    list(APPEND installs
        "icons/hicolor/${size}x${size}/apps/${APP_ID}.png=icons/${size}x${size}/${APP_ID}.png")
endforeach()

set(failures "")
foreach(pair IN LISTS installs)
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

# PNG signature, then the IHDR chunk: width, height, bit depth, colour type (6 is RGBA).
foreach(size IN LISTS icon_sizes)
    set(icon "${PREFIX}/${DATADIR}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png")
    if(NOT EXISTS "${icon}")
        continue()
    endif()
    file(READ "${icon}" header LIMIT 26 HEX)
    # Width and height are 32-bit big-endian numbers.
    string(SUBSTRING "${header}" 32 8 width)
    string(SUBSTRING "${header}" 40 8 height)
    string(SUBSTRING "${header}" 50 -1 colour_type)
    if(NOT header MATCHES "^89504e470d0a1a0a0000000d49484452")
        string(APPEND failures "\n  not a PNG: ${icon}")
        continue()
    endif()
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        string(APPEND failures "\n  not ${size}x${size} pixels: ${icon}")
    elseif(NOT colour_type STREQUAL "06")
        string(APPEND failures "\n  has no alpha channel (colour type is not RGBA): ${icon}")
    endif()
endforeach()

set(svg "${PREFIX}/${DATADIR}/icons/hicolor/scalable/apps/${APP_ID}.svg")
if(EXISTS "${svg}")
    file(READ "${svg}" document)
    if(NOT document MATCHES "^<\\?xml[^>]*>[ \t\r\n]*<svg[ \t\r\n][^>]*viewBox=\"0 0 ([0-9]+) ([0-9]+)\""
            OR NOT CMAKE_MATCH_1 EQUAL CMAKE_MATCH_2)
        string(APPEND failures "\n  not an SVG document with a square viewBox: ${svg}")
    endif()
endif()

if(failures)
    message(FATAL_ERROR "The install tree under ${PREFIX} is wrong:${failures}")
endif()
message(STATUS "Installed under ${PREFIX}: launcher, metainfo, icons at ${ICON_SIZES} and SVG")
