# mervasto_add_gtest(NAME source...): a GoogleTest program, registered with CTest; link it to
# the library it tests. Natively each test case is its own CTest test; when cross-building, the program runs
# once as a whole (one emulator process per program).
include(GoogleTest)

# The cross-built tests run under Wine in a prefix of their own, with its logging off, finding
# the MinGW runtime and Qt through WINEPATH.
include(MervastoWindowsRuntime)
if(CMAKE_CROSSCOMPILING)
    mervasto_wine_path(wine_path)
    set(MERVASTO_EMULATOR_ENVIRONMENT
        "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=")
    list(APPEND MERVASTO_EMULATOR_ENVIRONMENT "WINEPATH=${wine_path}")
    # Wine drops variables whose names start with "QT_"; Windows names ignore case, so these
    # reach Qt: the test log on stderr (not the debugger channel), and fonts for the offscreen
    # platform, which on Windows reads them from a directory.
    list(APPEND MERVASTO_EMULATOR_ENVIRONMENT "Qt_FORCE_STDERR_LOGGING=1"
         "Qt_QPA_FONTDIR=Z:/usr/share/fonts/opentype/ipafont-gothic")
endif()

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

# mervasto_add_widget_test(NAME): registers the QTest program NAME, run offscreen. Under Wine
# the platform goes on the command line: Wine does not hand QT_QPA_PLATFORM to the program.
function(mervasto_add_widget_test name)
    add_test(NAME ${name} COMMAND ${name} -platform offscreen)
    if(CMAKE_CROSSCOMPILING)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "${MERVASTO_EMULATOR_ENVIRONMENT}")
    else()
        set_tests_properties(${name} PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
    endif()
endfunction()
