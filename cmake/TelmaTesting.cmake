# What every test and fuzz run needs from its environment: no display, and in the sanitizer
# build the options that make any report, leaks included, fail the test. Kept here rather than
# in scripts or presets so that a bare `ctest` in any build tree runs the same way.
set(TELMA_TEST_ENVIRONMENT QT_QPA_PLATFORM=offscreen)
if(TELMA_SANITIZE)
    list(APPEND TELMA_TEST_ENVIRONMENT
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
        LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)
    # GCC 12's LeakSanitizer crashes at exit on the thread-local storage of a library loaded
    # later through dlopen (glibc 2.36), and Qt's JPEG plugin loads libjpeg that way as soon as
    # a window shows the globe icon. Loaded with the test program itself, libjpeg's storage
    # has a fixed place and the leak check stays usable.
    find_library(TELMA_JPEG_RUNTIME NAMES libjpeg.so.62 jpeg)
    if(TELMA_JPEG_RUNTIME)
        set(TELMA_TEST_PRELOADED_LIBS
            -Wl,--push-state,--no-as-needed ${TELMA_JPEG_RUNTIME} -Wl,--pop-state)
    endif()
endif()

function(telma_set_test_environment)
    set_tests_properties(${ARGN} PROPERTIES ENVIRONMENT "${TELMA_TEST_ENVIRONMENT}")
endfunction()

# Every program built in the given directory becomes a CTest entry labelled "benchmark", so that
# the bench test preset runs them all and shows their figures.
function(telma_add_benchmark_tests dir)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            add_test(NAME ${target} COMMAND ${target})
            telma_set_test_environment(${target})
            set_tests_properties(${target} PROPERTIES LABELS benchmark TIMEOUT 3600)
        endif()
    endforeach()
endfunction()

# The presets are only read by a CMake that understands them; this checks that every one of
# them still parses and names an existing configure preset.
if(CMAKE_VERSION VERSION_GREATER_EQUAL 3.25)
    add_test(NAME presets
        COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
                -P ${PROJECT_SOURCE_DIR}/cmake/TelmaCheckPresets.cmake)
endif()
