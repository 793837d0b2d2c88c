# The C glue that wayland-scanner writes for Wayland protocols, as an object library `name` that
# links `client` (the Wayland client library's target) and gives its users the protocols' headers.
# The protocols are the XML files that follow. Callers enable C first, in their own directory.
function(zorvin_wayland_protocols name scanner client)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/${name})
    set(glue "")
    foreach(xml ${ARGN})
        get_filename_component(protocol ${xml} NAME_WE)
        add_custom_command(
            OUTPUT ${dir}/${protocol}-client-protocol.h ${dir}/${protocol}-protocol.c
            COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
            COMMAND ${scanner} client-header ${xml} ${dir}/${protocol}-client-protocol.h
            COMMAND ${scanner} private-code ${xml} ${dir}/${protocol}-protocol.c
            DEPENDS ${xml})
        list(APPEND glue ${dir}/${protocol}-client-protocol.h ${dir}/${protocol}-protocol.c)
    endforeach()
    # Generated code, not held to this project's warnings.
    add_library(${name} OBJECT ${glue})
    target_include_directories(${name} SYSTEM INTERFACE ${dir})
    target_link_libraries(${name} PUBLIC ${client})
endfunction()
