# Run by CPack on the tree it is about to pack: the documents as Debian keeps them, and lintian's
# overrides. The licence is the package's copyright file; the changelog and the manual page are
# compressed, without the timestamps that would make two builds differ.
set(zorvin_root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(zorvin_docs "${zorvin_root}/share/doc/zorvin")
file(RENAME "${zorvin_docs}/LICENSE" "${zorvin_docs}/copyright")
file(COPY_FILE "${CPACK_ZORVIN_DEBIAN_CHANGELOG}" "${zorvin_docs}/changelog.Debian")

find_program(ZORVIN_GZIP gzip REQUIRED)
foreach(file IN ITEMS "${zorvin_docs}/changelog.Debian" "${zorvin_root}/share/man/man6/zorvin.6")
    execute_process(COMMAND "${ZORVIN_GZIP}" -9 -n -f "${file}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()

file(MAKE_DIRECTORY "${zorvin_root}/share/lintian/overrides")
file(COPY_FILE "${CPACK_ZORVIN_LINTIAN_OVERRIDES}" "${zorvin_root}/share/lintian/overrides/zorvin")
