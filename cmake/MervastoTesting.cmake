# mervasto_add_gtest(NAME source...): a GoogleTest program, registered with CTest; link it to
# the library it tests. Natively each test case is its own CTest test; when cross-building, the program runs
# once as a whole (one emulator process per program).
include(GoogleTest)

# The cross-built tests run under Wine in a prefix of their own, with its logging off.
set(MERVASTO_EMULATOR_ENVIRONMENT
    "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=")

function(mervasto_add_gtest name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE mervasto_test_support GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        MERVASTO_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures"
        MERVASTO_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/samples")
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "${MERVASTO_EMULATOR_ENVIRONMENT}")
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
    endif()
endfunction()
