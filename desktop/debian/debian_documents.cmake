# Run by CPack on the tree it is about to pack: the documents as Debian keeps them, lintian's
# overrides, and the modes Debian asks for. The licence is the package's copyright file; the changelog and the manual page are
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

# Modes as Debian asks for them, whatever the builder's umask (CMake makes directories through it)
# and the sources' modes: directories and the programs 0755, every other file 0644.
file(GLOB_RECURSE zorvin_packed LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
file(CHMOD "${CPACK_TEMPORARY_INSTALL_DIRECTORY}" ${zorvin_packed}
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
    DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
    WORLD_EXECUTE)
file(CHMOD "${zorvin_root}/bin/zorvin" "${zorvin_root}/libexec/zorvin/zorvin-look"
    PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
    WORLD_EXECUTE)
