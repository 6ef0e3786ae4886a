# What `cmake --install` puts in place, and the files the build tree needs beside the programs.
#
#   Linux:    the programs in bin/; the desktop entry, AppStream metainfo, icons (hicolor), the
#             man page of mervasto-cli, the HTML manual (MERVASTO_INSTALL_DOCDIR/manual, which
#             the Help command opens), the postal data (MERVASTO_INSTALL_DOCDIR) and the
#             licence.
#   Windows:  the programs, the help file ZipCode.chm and the postal data beside them, and the
#             licence.
#
# The build tree is a portable copy: a marker beside each program keeps its tables in the
# program's own directory, and the postal data beside it builds them on its first start. An
# installed program keeps them in the user's data directory.

set(portable_text "While this file lies beside the program, its tables are kept here too.\n")
set(MERVASTO_CARRIED_DATA ${PROJECT_SOURCE_DIR}/data/ken_all.zip
    ${PROJECT_SOURCE_DIR}/data/jigyosyo.zip)
foreach(program IN ITEMS mervasto mervasto-cli)
    if(TARGET ${program})
        file(GENERATE OUTPUT $<TARGET_FILE_DIR:${program}>/mervasto.portable
            CONTENT "${portable_text}")
        add_custom_target(${program}_carried_data
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${MERVASTO_CARRIED_DATA}
                $<TARGET_FILE_DIR:${program}>
            VERBATIM)
        add_dependencies(${program} ${program}_carried_data)
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

# The help file, compiled from the HTML manual when chmcmd (Debian package fp-utils) is there.
find_program(MERVASTO_CHMCMD chmcmd)
find_program(MERVASTO_BASH bash)
if(MERVASTO_CHMCMD AND MERVASTO_BASH)
    set(MERVASTO_HELP_FILE ${CMAKE_BINARY_DIR}/manual/ZipCode.chm)
    file(GLOB_RECURSE manual_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/manual/*)
    add_custom_command(OUTPUT ${MERVASTO_HELP_FILE}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/manual
        COMMAND ${MERVASTO_BASH} ${PROJECT_SOURCE_DIR}/packaging/make-chm.sh
            ${PROJECT_SOURCE_DIR}/docs/manual ${MERVASTO_HELP_FILE}
        DEPENDS ${manual_sources} ${PROJECT_SOURCE_DIR}/packaging/make-chm.sh
        COMMENT "Compiling the help file ZipCode.chm"
        VERBATIM)
    add_custom_target(mervasto_help_file ALL DEPENDS ${MERVASTO_HELP_FILE})
else()
    message(STATUS "chmcmd not found (Debian package fp-utils): ZipCode.chm is not built")
endif()

if(WIN32)
    if(MERVASTO_HELP_FILE)
        install(FILES ${MERVASTO_HELP_FILE} DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
    install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME LICENSE.txt)
    install(FILES ${MERVASTO_CARRIED_DATA} DESTINATION ${CMAKE_INSTALL_BINDIR})
    return()
endif()

# A Linux desktop has no viewer for the help file, so Help opens the HTML manual.
install(DIRECTORY docs/manual/ DESTINATION ${MERVASTO_INSTALL_DOCDIR}/manual
    PATTERN "ZipCode.hh?" EXCLUDE)
install(FILES ${MERVASTO_CARRIED_DATA} DESTINATION ${MERVASTO_INSTALL_DOCDIR})
install(FILES packaging/linux/mervasto.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/linux/io.github.mervasto.Mervasto.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN ITEMS 16 32 48 64 128 256)
    install(FILES packaging/icons/mervasto-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME mervasto.png)
endforeach()
install(FILES packaging/icons/mervasto.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES packaging/linux/mervasto-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mervasto RENAME copyright)
