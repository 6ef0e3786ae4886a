# The Debian package (`cpack -G DEB`, run by scripts/package.sh): everything that
# `cmake --install` puts in place, under /usr, with its library dependencies worked out by
# dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME mervasto)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Mervasto developers")
set(CPACK_PACKAGE_CONTACT "Mervasto developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese postal code lookup by address or business office")
set(CPACK_PACKAGE_DESCRIPTION
    "Mervasto finds the postal code of a Japanese address and copies it to the clipboard.\n"
    "A second mode searches the individual postal codes of large business offices. The\n"
    "tables are built from the postal operator's published data files; the package carries\n"
    "the operator's data of September 2025, from which the first start builds them. Includes\n"
    "the command-line tool mervasto-cli and a Japanese manual.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://mervasto.github.io/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A Japanese font to show the windows' text, xdg-open for the manual, and the certificates that
# the update's HTTPS download checks the server against.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-ipafont-gothic | fonts-noto-cjk, xdg-utils, ca-certificates")
include(CPack)
