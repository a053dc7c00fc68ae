# Tests against a real PostgreSQL server. A CTest fixture starts a throw-away server before
# the first test that needs it and stops it after the last one, also when tests fail, so a
# bare `ctest` works as well as the scripts. The server listens only on a Unix socket in a
# private folder under /tmp (a socket path must stay short), named after this build tree so
# that two build trees never share one.
file(GLOB TELMA_POSTGRES_INITDB /usr/lib/postgresql/*/bin/initdb)
string(MD5 telma_build_hash "${PROJECT_BINARY_DIR}")
string(SUBSTRING "${telma_build_hash}" 0 12 telma_build_hash)
set(TELMA_TEST_POSTGRES_DIR /tmp/telma-pg-${telma_build_hash})
# The database the tests connect to first; each test case makes its own database from there.
set(TELMA_TEST_POSTGRES "host=${TELMA_TEST_POSTGRES_DIR}/sock dbname=telma_test user=postgres")

if(TELMA_POSTGRES_INITDB)
    add_test(NAME postgres_start COMMAND ${PROJECT_SOURCE_DIR}/scripts/pg-test-server.sh
             start ${TELMA_TEST_POSTGRES_DIR} telma_test)
    add_test(NAME postgres_stop COMMAND ${PROJECT_SOURCE_DIR}/scripts/pg-test-server.sh
             stop ${TELMA_TEST_POSTGRES_DIR})
    set_tests_properties(postgres_start PROPERTIES FIXTURES_SETUP postgres LABELS postgres TIMEOUT 120)
    set_tests_properties(postgres_stop PROPERTIES FIXTURES_CLEANUP postgres LABELS postgres TIMEOUT 120)
else()
    message(STATUS "PostgreSQL server programs not found (Debian package postgresql): "
                   "the tests on PostgreSQL will be skipped")
endif()

# Makes the given existing tests run against the throw-away server: TELMA_TEST_POSTGRES holds
# the connection string, which the tests' fixture helper uses instead of a SQLite file.
function(telma_use_postgres)
    foreach(test IN LISTS ARGN)
        set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "TELMA_TEST_POSTGRES=${TELMA_TEST_POSTGRES}")
        set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED postgres)
        set_property(TEST ${test} APPEND PROPERTY LABELS postgres)
    endforeach()
endfunction()

# Stands in for a PostgreSQL test when the server programs are missing: says why, skipped.
function(telma_add_skipped_postgres_test name)
    add_test(NAME ${name} COMMAND sh -c "echo 'skipped: the PostgreSQL server programs are not \
installed (Debian package postgresql); scripts/telma.sh test installs them'; exit 77")
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 LABELS postgres)
endfunction()

# telma_add_postgres_test(NAME SOURCES... LIBS...): a test program that needs the server.
function(telma_add_postgres_test name)
    if(TELMA_POSTGRES_INITDB)
        telma_add_test(${name} ${ARGN})
        telma_use_postgres(${name})
    else()
        cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
        add_executable(${name} ${ARG_SOURCES})
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
        telma_share_test_headers(${name})
        telma_add_skipped_postgres_test(${name})
    endif()
endfunction()

# A second run of an existing test program against PostgreSQL instead of SQLite.
function(telma_add_postgres_variant test)
    set(variant ${test}_postgres)
    if(TELMA_POSTGRES_INITDB)
        add_test(NAME ${variant} COMMAND ${test})
        telma_set_test_environment(${variant})
        set_tests_properties(${variant} PROPERTIES TIMEOUT 300)
        telma_use_postgres(${variant})
    else()
        telma_add_skipped_postgres_test(${variant})
    endif()
endfunction()
