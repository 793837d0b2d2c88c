# Every target of the project builds with strict warnings, treated as errors.
function(zorvin_strict_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX /permissive-)
    else()
        target_compile_options(${target} PRIVATE
            -Wall -Wextra -Wpedantic -Werror
            -Wconversion -Wsign-conversion -Wshadow -Wold-style-cast
            -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-qual -Wformat=2
            -Wimplicit-fallthrough -Wnull-dereference
            # Layouts are designated initializers that leave unused fields at their defaults.
            -Wno-missing-field-initializers)
    endif()
endfunction()
