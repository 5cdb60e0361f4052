# Read by CPack once per generator (CPACK_PROJECT_CONFIG_FILE): the installer and the zip get
# names of their own from one stem. The zip unpacks into a folder of the stem's name, which runs
# from wherever it is put.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_DENTARO_FILE_STEM}-setup")
elseif(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_DENTARO_FILE_STEM}")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
