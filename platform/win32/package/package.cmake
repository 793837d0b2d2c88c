# Zorvin.exe as Windows users get it: a portable zip (CPack: `cpack -G ZIP` in the build tree) and
# an installer described by Zorvin.wxs, which scripts/package.sh hands to wixl. Both hold the
# program, the README and the licence, as text files Notepad shows line by line. Everything the
# installer takes is put together in one folder, which wixl names its files from.
set(ZORVIN_PACKAGE_DIR ${PROJECT_BINARY_DIR}/package)
file(COPY ${PROJECT_SOURCE_DIR}/assets/zorvin.ico DESTINATION ${ZORVIN_PACKAGE_DIR})

foreach(document IN ITEMS README.md LICENSE)
    file(READ ${PROJECT_SOURCE_DIR}/${document} text)
    get_filename_component(name ${document} NAME_WE)
    file(GENERATE OUTPUT ${ZORVIN_PACKAGE_DIR}/${name}.txt CONTENT "${text}" NEWLINE_STYLE CRLF)
endforeach()
add_custom_command(TARGET Zorvin POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Zorvin> ${ZORVIN_PACKAGE_DIR}/Zorvin.exe
    VERBATIM)
configure_file(${CMAKE_CURRENT_LIST_DIR}/Zorvin.wxs.in ${ZORVIN_PACKAGE_DIR}/Zorvin.wxs @ONLY)

install(FILES ${ZORVIN_PACKAGE_DIR}/Zorvin.exe ${ZORVIN_PACKAGE_DIR}/README.txt
    ${ZORVIN_PACKAGE_DIR}/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Zorvin)
set(CPACK_PACKAGE_VERSION ${ZORVIN_VERSION})
set(CPACK_PACKAGE_FILE_NAME Zorvin-${ZORVIN_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
