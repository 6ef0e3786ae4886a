# The MinGW runtime of the Windows cross-build: the DLLs that the programs and Qt's DLLs load,
# where Wine finds them (and Qt's) when CTest runs a program.
if(NOT MINGW)
    return()
endif()

# libstdc++, libgcc and winpthreads as the compiler itself links them.
set(MERVASTO_MINGW_RUNTIME_DLLS)
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    file(REAL_PATH "${dll_path}" dll_path)
    if(NOT EXISTS "${dll_path}")
        message(FATAL_ERROR "The MinGW runtime ${dll} was not found (asked ${CMAKE_CXX_COMPILER})")
    endif()
    list(APPEND MERVASTO_MINGW_RUNTIME_DLLS "${dll_path}")
endforeach()

# WINEPATH for programs run from the build tree: the runtime's directories, and Qt's bin when
# the window is built. Wine maps / to drive Z:.
function(mervasto_wine_path out)
    set(directories)
    foreach(dll IN LISTS MERVASTO_MINGW_RUNTIME_DLLS)
        get_filename_component(directory "${dll}" DIRECTORY)
        list(APPEND directories "Z:${directory}")
    endforeach()
    if(Qt6_DIR)
        get_filename_component(qt_bin "${Qt6_DIR}/../../../bin" ABSOLUTE)
        list(APPEND directories "Z:${qt_bin}")
    endif()
    list(REMOVE_DUPLICATES directories)
    # WINEPATH is itself ';'-separated: escaped, so that a CTest ENVIRONMENT list keeps it whole.
    list(JOIN directories "\\;" joined)
    set(${out} "${joined}" PARENT_SCOPE)
endfunction()
