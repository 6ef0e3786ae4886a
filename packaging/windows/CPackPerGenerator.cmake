# Read by cpack once per generator: what each package holds, and the installer's file name.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_INSTALL_CMAKE_PROJECTS "${MERVASTO_CPACK_PROJECT};windows;/")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
else()
    set(CPACK_INSTALL_CMAKE_PROJECTS
        "${MERVASTO_CPACK_PROJECT};windows;/;${MERVASTO_CPACK_PROJECT};portable;/")
endif()
