# The Debian package, made by CPack from the install rules: `cpack -G DEB` in the build tree writes
# zorvin_<version>-<revision>_<arch>.deb. Its run-time dependencies come from the binary
# (dpkg-shlibdeps), so it is for the release it is built on.
set(CPACK_GENERATOR DEB)
# The values below reach CPack as they are, quotes and backslashes in the author's name too.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME zorvin)
set(CPACK_PACKAGE_VERSION ${ZORVIN_VERSION})
set(CPACK_PACKAGE_CONTACT "${ZORVIN_AUTHOR_NAME_DEBIAN} <${ZORVIN_AUTHOR_EMAIL}>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# One upstream version built for several Debian releases: the revision names the release, as
# 1~deb12, 1~deb13 or 1~deb14, so that the packages cannot be mistaken for each other, a later
# release's sorts above an earlier one's, and a package Debian itself ships sorts above them.
set(zorvin_os_release "")
if(EXISTS /etc/os-release)
    file(STRINGS /etc/os-release zorvin_os_release REGEX
        "^(ID|VERSION_ID|VERSION_CODENAME)=")
endif()
foreach(line IN LISTS zorvin_os_release)
    string(REGEX MATCH "^[A-Z_]+" key "${line}")
    string(REGEX REPLACE "^[A-Z_]+=\"?([^\"]*)\"?$" "\\1" "zorvin_os_${key}" "${line}")
endforeach()
# Debian's testing release has no VERSION_ID until it is released; its base-files package, whose
# version begins with the number of the release it is made for, tells it meanwhile.
if(zorvin_os_ID STREQUAL "debian" AND NOT zorvin_os_VERSION_ID)
    execute_process(COMMAND dpkg-query -W [=[-f=${Version}]=] base-files
        OUTPUT_VARIABLE zorvin_base_files ERROR_QUIET)
    string(REGEX MATCH "^[0-9]+" zorvin_os_VERSION_ID "${zorvin_base_files}")
endif()
set(zorvin_debian_revision 1)
set(zorvin_debian_distribution unstable)
if(zorvin_os_ID STREQUAL "debian" AND zorvin_os_VERSION_ID MATCHES "^[0-9]+$")
    set(zorvin_debian_revision "1~deb${zorvin_os_VERSION_ID}")
    set(zorvin_debian_distribution ${zorvin_os_VERSION_CODENAME})
endif()
set(ZORVIN_DEBIAN_REVISION ${zorvin_debian_revision} CACHE STRING
    "The Debian package's revision, by default 1~debN for the Debian release N it is built on")
set(ZORVIN_DEBIAN_DISTRIBUTION ${zorvin_debian_distribution} CACHE STRING
    "The release the Debian package's changelog names")
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZORVIN_DEBIAN_REVISION})
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
