# Checks that Windows resources carry the helmet icon's image and a version block with the
# numbers and texts Explorer shows for dentaro.exe. Either compiles the configured dentaro.rc
# with llvm-rc and checks the .res (-DLLVM_RC -DRC_FILE -DRES_FILE), or checks a built
# dentaro.exe (-DPROGRAM), which must also be a GUI program: Windows opens no console for it.

foreach(variable ICON RC_VERSION PRODUCT_NAME DISPLAY_VERSION)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "Give -D${variable}=...")
    endif()
endforeach()

if(NOT EXISTS "${ICON}")
    message(FATAL_ERROR "The icon '${ICON}' is missing")
endif()
if(DEFINED PROGRAM)
    if(NOT EXISTS "${PROGRAM}")
        message(FATAL_ERROR "The program '${PROGRAM}' is missing")
    endif()
    set(RES_FILE "${PROGRAM}")
    set(RC_FILE "the build")
else()
    foreach(variable LLVM_RC RC_FILE RES_FILE)
        if(NOT DEFINED ${variable})
            message(FATAL_ERROR "Give -D${variable}=... or -DPROGRAM=...")
        endif()
    endforeach()
    file(REMOVE "${RES_FILE}")
    # llvm-rc takes both /X and -X options, so an absolute input path such as /check/... would
    # read as the /C (code page) option; "--" ends the options.
    execute_process(COMMAND "${LLVM_RC}" /FO "${RES_FILE}" -- "${RC_FILE}"
        RESULT_VARIABLE status
        OUTPUT_VARIABLE output
        ERROR_VARIABLE output)
    if(NOT status EQUAL 0 OR NOT EXISTS "${RES_FILE}")
        message(FATAL_ERROR "llvm-rc could not compile ${RC_FILE} (status ${status}):\n${output}")
    endif()
endif()
file(READ "${RES_FILE}" res HEX)

# Hex of a 32-bit number as stored little-endian.
function(le32_hex value out)
    math(EXPR value "${value}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${value}" 2 -1 digits)
    string(LENGTH "${digits}" length)
    while(length LESS 8)
        string(PREPEND digits "0")
        math(EXPR length "${length} + 1")
    endwhile()
    string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" digits "${digits}")
    set(${out} "${digits}" PARENT_SCOPE)
endfunction()

# Number stored little-endian at a byte offset of a hex string.
function(read_le32 hex offset out)
    math(EXPR at "${offset} * 2")
    string(SUBSTRING "${hex}" ${at} 8 bytes)
    string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" bytes "${bytes}")
    math(EXPR value "0x${bytes}")
    set(${out} ${value} PARENT_SCOPE)
endfunction()

# Hex of an ASCII text in UTF-16LE, as version strings are stored.
function(utf16_hex text out)
    string(HEX "${text}" hex)
    string(REGEX REPLACE "(..)" "\\100" hex "${hex}")
    set(${out} "${hex}" PARENT_SCOPE)
endfunction()

set(failures "")

if(DEFINED PROGRAM)
    # The PE header starts where the 32-bit number at 0x3C says; its optional header's Subsystem
    # field, 92 bytes on, is 2 for a GUI program and 3 for a console one.
    read_le32("${res}" 60 pe_offset)
    math(EXPR subsystem_at "${pe_offset} + 92")
    read_le32("${res}" ${subsystem_at} subsystem)
    math(EXPR subsystem "${subsystem} & 0xFFFF")
    if(NOT subsystem EQUAL 2)
        string(APPEND failures "\n  the subsystem is ${subsystem}, not 2 (Windows GUI)")
    endif()
endif()

# The icon: the first image of the ICO file, byte for byte.
file(READ "${ICON}" ico HEX)
read_le32("${ico}" 14 image_size)
read_le32("${ico}" 18 image_offset)
math(EXPR image_at "${image_offset} * 2")
math(EXPR image_length "${image_size} * 2")
string(SUBSTRING "${ico}" ${image_at} ${image_length} image)
string(LENGTH "${image}" got_length)
if(image_size EQUAL 0 OR NOT got_length EQUAL image_length)
    message(FATAL_ERROR "${ICON} is not a readable ICO file")
endif()
string(FIND "${res}" "${image}" found)
if(found EQUAL -1)
    string(APPEND failures "\n  the image of ${ICON} is not in the resources")
endif()

# The fixed part: signature, structure version, then file and product version as two 32-bit
# numbers each (major << 16 | minor, patch << 16 | tweak).
string(REPLACE "," ";" numbers "${RC_VERSION}")
list(LENGTH numbers count)
if(NOT count EQUAL 4)
    message(FATAL_ERROR "RC_VERSION must have four numbers, not '${RC_VERSION}'")
endif()
list(GET numbers 0 major)
list(GET numbers 1 minor)
list(GET numbers 2 patch)
list(GET numbers 3 tweak)
le32_hex("(${major} << 16) | ${minor}" high)
le32_hex("(${patch} << 16) | ${tweak}" low)
string(FIND "${res}" "bd04effe00000100${high}${low}${high}${low}" found)
if(found EQUAL -1)
    string(APPEND failures "\n  no version block with file and product version ${RC_VERSION}")
endif()

# The texts, each as key, its terminating zero, padding to 32 bits, value and its zero.
utf16_hex("041004b0" table)
string(FIND "${res}" "${table}0000" found)
if(found EQUAL -1)
    string(APPEND failures "\n  no string table 041004b0 (Italian, UTF-16)")
endif()
foreach(pair
        "ProductName=${PRODUCT_NAME}"
        "FileDescription=${PRODUCT_NAME}"
        "FileVersion=${DISPLAY_VERSION}"
        "ProductVersion=${DISPLAY_VERSION}"
        "InternalName=dentaro"
        "OriginalFilename=dentaro.exe")
    string(FIND "${pair}" "=" split)
    string(SUBSTRING "${pair}" 0 ${split} key)
    math(EXPR split "${split} + 1")
    string(SUBSTRING "${pair}" ${split} -1 value)
    utf16_hex("${key}" key_hex)
    utf16_hex("${value}" value_hex)
    if(NOT res MATCHES "${key_hex}0000(0000)?${value_hex}0000")
        string(APPEND failures "\n  ${key} is not \"${value}\"")
    endif()
endforeach()
utf16_hex("Translation" key_hex)
if(NOT res MATCHES "${key_hex}0000(0000)?1004b004")
    string(APPEND failures "\n  Translation is not 0x410, 1200")
endif()

if(failures)
    message(FATAL_ERROR "${RES_FILE}, compiled from ${RC_FILE}, is wrong:${failures}")
endif()
message(STATUS "${RES_FILE}: icon, version ${RC_VERSION}, texts of ${PRODUCT_NAME} ${DISPLAY_VERSION}")
