# cmake -DSOURCE_DIR=<tree> -P TelmaCheckPresets.cmake
# Fails unless the tree's presets parse and each kind offers the builds the README and the
# scripts name. CMake itself refuses a preset that names a missing configure preset.
set(everyKind default asan fuzz bench package)
set(configure ${everyKind})
set(build ${everyKind})
set(test ${everyKind})
set(package package)
set(workflow ${everyKind})

execute_process(COMMAND ${CMAKE_COMMAND} --list-presets=all
    WORKING_DIRECTORY ${SOURCE_DIR}
    OUTPUT_VARIABLE listed ERROR_VARIABLE problems RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the presets do not load: ${problems}")
endif()

foreach(kind configure build test package workflow)
    # The section of the listing for this kind: from its heading up to the next heading.
    string(FIND "${listed}" "Available ${kind} presets:" start)
    if(start EQUAL -1)
        message(FATAL_ERROR "no ${kind} presets in:\n${listed}")
    endif()
    string(SUBSTRING "${listed}" ${start} -1 section)
    string(REGEX REPLACE "(.)\nAvailable .*" "\\1" section "${section}")
    foreach(name IN LISTS ${kind})
        if(NOT section MATCHES "\n  \"${name}\"")
            message(FATAL_ERROR "no ${kind} preset \"${name}\" in:\n${section}")
        endif()
    endforeach()
endforeach()
