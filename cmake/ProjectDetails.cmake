# The facts about Zorvin that the program, its resources, its desktop files and its packages all
# name. The author's details are settings, so that a packager can name themselves without editing
# code.
set(ZORVIN_AUTHOR_NAME "the Zorvin developers" CACHE STRING
    "Who the About box, the version block and the packages name as Zorvin's author")
set(ZORVIN_AUTHOR_EMAIL "zorvin@example.org" CACHE STRING
    "The e-mail address of the About box's link and of the packages' maintainer")
set(ZORVIN_HOMEPAGE "${PROJECT_HOMEPAGE_URL}" CACHE STRING
    "The home page of the About box's link, the version block and the packages")

# The reverse-DNS name of the home page: the desktop entry's, the icons' and the metainfo's name.
set(ZORVIN_APP_ID "org.example.zorvin")
# The version as the program shows it, "1.00".
set(ZORVIN_VERSION "${PROJECT_VERSION}")
# The version block's numbers: 1.00 is 1, 0, 0, 0.
math(EXPR ZORVIN_VERSION_MINOR "${PROJECT_VERSION_MINOR}")
set(ZORVIN_COMMENT "${PROJECT_DESCRIPTION}")

# The free text above, escaped for each file format it goes into, as <name>_<FORMAT>.
include(${CMAKE_CURRENT_LIST_DIR}/TextFormats.cmake)
foreach(text IN ITEMS ZORVIN_AUTHOR_NAME ZORVIN_AUTHOR_EMAIL ZORVIN_HOMEPAGE ZORVIN_COMMENT)
    zorvin_text_formats(${text})
endforeach()

# Headers made from the above, for the program and its resource script.
set(ZORVIN_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/about/author.h.in ${ZORVIN_GENERATED_DIR}/about/author.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/program/version.h.in ${ZORVIN_GENERATED_DIR}/program/version.h
    @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/platform/win32/version_strings.h.in
    ${ZORVIN_GENERATED_DIR}/platform/win32/version_strings.h @ONLY)
