# Every target of the project builds with strict warnings. They are errors only where the build
# asks for it (CMAKE_COMPILE_WARNING_AS_ERROR, which the test command sets), never in a user's build.
function(zorvin_strict_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive-)
    else()
        target_compile_options(${target} PRIVATE
            -Wall -Wextra -Wpedantic
            -Wconversion -Wsign-conversion -Wshadow -Wold-style-cast
            -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-qual -Wformat=2
            -Wimplicit-fallthrough -Wnull-dereference
            # Layouts are designated initializers that leave unused fields at their defaults.
            -Wno-missing-field-initializers)
    endif()
endfunction()
