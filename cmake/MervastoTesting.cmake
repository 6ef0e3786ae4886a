# mervasto_add_gtest(NAME source...): a GoogleTest program linked to the core, registered with
# CTest. Natively each test case is its own CTest test; when cross-building, the program runs
# once as a whole (one emulator process per program).
include(GoogleTest)

function(mervasto_add_gtest name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE mervasto_core mervasto_test_support GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        MERVASTO_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures"
        MERVASTO_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/samples")
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name})
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
    endif()
endfunction()
