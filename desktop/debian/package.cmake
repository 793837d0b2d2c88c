# The Debian package, made by CPack from the install rules: `cpack -G DEB` in the build tree writes
# zorvin_<version>-1_<arch>.deb. Its run-time dependencies come from the binary (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
# The values below reach CPack as they are, quotes and backslashes in the author's name too.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME zorvin)
set(CPACK_PACKAGE_VERSION ${ZORVIN_VERSION})
set(CPACK_PACKAGE_CONTACT "${ZORVIN_AUTHOR_NAME_DEBIAN} <${ZORVIN_AUTHOR_EMAIL}>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# Programs for the X Window System; "games" would ask for the program in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZORVIN_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cartoon face on the desktop whose eyes follow the pointer")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Zorvin is a small cartoon face that lives on the desktop. Its window is cut
to the shape of the face, and its two pupils follow the mouse pointer
wherever it goes on the screen. Drag it with the left mouse button; the
right button opens a menu to keep it on top, see who made it, or end it.")

# What Debian asks of a package's documents, and lintian's overrides, added to the files CPack is
# about to pack.
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian
    @ONLY)
set(ZORVIN_DEBIAN_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_documents.cmake)
# Passed on to that script, which runs inside CPack.
set(CPACK_ZORVIN_DEBIAN_CHANGELOG ${ZORVIN_DEBIAN_CHANGELOG})
set(CPACK_ZORVIN_LINTIAN_OVERRIDES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides)

include(CPack)
