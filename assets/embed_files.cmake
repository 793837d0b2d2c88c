# Writes a C++ source that holds the bytes of the generated artwork files, so the program needs no
# files beside it. Run at build time:
#   cmake -DASSET_DIR=<dir> -DTEMPLATE=<artwork_data.cpp.in> -DOUTPUT=<file> -P embed_files.cmake
foreach(var ASSET_DIR TEMPLATE OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "embed_files.cmake: ${var} is not set")
    endif()
endforeach()

function(bytes_of file out_var)
    file(READ "${file}" hex HEX)
    if(hex STREQUAL "")
        message(FATAL_ERROR "embed_files.cmake: ${file} is empty")
    endif()
    # Twelve bytes a line: "0x42, 0x4d, ..."
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " bytes "${hex}")
    string(REPEAT "0x[0-9a-f][0-9a-f], " 12 line)
    string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
    string(REPLACE ", \n" ",\n    " bytes "${bytes}")
    string(STRIP "${bytes}" bytes)
    set(${out_var} "${bytes}" PARENT_SCOPE)
endfunction()

bytes_of("${ASSET_DIR}/face.bmp" FACE_BYTES)
bytes_of("${ASSET_DIR}/pupil.bmp" PUPIL_BYTES)
bytes_of("${ASSET_DIR}/zorvin.ico" ICON_BYTES)
bytes_of("${ASSET_DIR}/hand.cur" HAND_BYTES)

configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
# configure_file leaves an unchanged file alone; mark it as made so the step does not run again.
file(TOUCH "${OUTPUT}")
