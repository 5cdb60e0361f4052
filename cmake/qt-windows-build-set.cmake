# Included after the project() of Qt's own build for Windows (CMAKE_PROJECT_QtBase_INCLUDE), and
# run once every target exists:
# - QtGui is built in unity batches like the rest of Qt (Qt turns them off for QtGui on Windows).
#   qwindowsfontengine.cpp stays a translation unit of its own: it and
#   qwindowsfontdatabasebase.cpp each define an OS2Table of their own.
# - Of the bundled HarfBuzz, the font-subsetting sources are not compiled: nothing in Qt's
#   libraries calls the subsetting functions, so the linker would drop them anyway.
cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL dentaro_trim_qt_build)

function(dentaro_trim_qt_build)
    set_target_properties(Gui PROPERTIES UNITY_BUILD ON)
    set_source_files_properties("${CMAKE_SOURCE_DIR}/src/gui/text/windows/qwindowsfontengine.cpp"
        DIRECTORY "${CMAKE_SOURCE_DIR}/src/gui"
        PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    get_target_property(sources BundledHarfbuzz SOURCES)
    list(FILTER sources EXCLUDE REGEX "(^|/)hb-subset[^/]*\\.cc$")
    set_target_properties(BundledHarfbuzz PROPERTIES SOURCES "${sources}")
endfunction()
