# mervasto_publish_headers(TARGET PREFIX): makes the headers among TARGET's sources includable
# as "PREFIX/Name.h" by TARGET and by whatever links it, and by nothing else.
#
# Every library of src/ has an include root of its own in the build tree that holds only its
# headers (as links to the sources). A target sees the roots of the libraries it links and no
# others, so an include against the layering ("data" including "search/...", "search"
# including a dialog) fails to compile instead of quietly creating a dependency.
function(mervasto_publish_headers target prefix)
    get_target_property(sources ${target} SOURCES)
    get_target_property(source_dir ${target} SOURCE_DIR)
    set(root ${CMAKE_BINARY_DIR}/include/${target})
    file(MAKE_DIRECTORY ${root}/${prefix})
    foreach(source IN LISTS sources)
        if(NOT source MATCHES "\\.h$")
            continue()
        endif()
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} OUTPUT_VARIABLE header)
        cmake_path(GET header FILENAME name)
        if(CMAKE_HOST_WIN32)
            # Links need a privilege there; a copy made at configure time is refreshed whenever
            # the header changes.
            configure_file(${header} ${root}/${prefix}/${name} COPYONLY)
        else()
            file(CREATE_LINK ${header} ${root}/${prefix}/${name} SYMBOLIC)
        endif()
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
endfunction()
