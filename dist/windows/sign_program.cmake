# Run by CPack between staging the files and packing them (CPACK_PRE_BUILD_SCRIPTS): signs
# dentaro.exe with scripts/sign-windows.sh in a signed release (DENTARO_SIGN), so that the
# installer and the zip hold the signed program, or gives it the form a signature taken off
# leaves (sign-windows.sh --unsigned).

foreach(variable CPACK_TEMPORARY_INSTALL_DIRECTORY CPACK_DENTARO_SIGN)
    if(NOT ${variable})
        message(FATAL_ERROR "sign_program.cmake needs ${variable}")
    endif()
endforeach()
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/dentaro.exe")
if(NOT programs)
    message(FATAL_ERROR "No dentaro.exe to sign under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
execute_process(COMMAND ${CPACK_DENTARO_SIGN} ${programs} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    list(JOIN CPACK_DENTARO_SIGN " " command)
    message(FATAL_ERROR "${command} failed on ${programs}")
endif()
