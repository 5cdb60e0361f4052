# Fails when the program's own code starts a thread of any kind: everything it does runs on the
# one user-interface thread, one event at a time. Qt's internal threads are not its own code.

if(NOT DEFINED SOURCE_DIR)
    message(FATAL_ERROR "Give -DSOURCE_DIR=...")
endif()

set(pattern "std::(j?thread|async)|QThread|QtConcurrent|pthread_create|QThreadPool|QRunnable")
set(found "")
foreach(folder runtime calc ui app)
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" lines REGEX "${pattern}")
        foreach(line IN LISTS lines)
            string(APPEND found "\n  ${source}: ${line}")
        endforeach()
    endforeach()
endforeach()

if(found)
    message(FATAL_ERROR "The program's code starts threads of its own:${found}")
endif()
