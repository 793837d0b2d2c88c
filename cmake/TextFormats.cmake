# The project's free text (the author's settings and the description) written into each format
# that carries it. A value may hold any character but a control character; each format gets it
# escaped once, here, as <name>_<FORMAT>:
#   C        a C string literal's contents (about/author.h, program/version.h)
#   RC       a resource script's string contents, read as UTF-8 (zorvin.rc's version block)
#   XML      XML text and attribute values (the metainfo, the installer's description)
#   DESKTOP  a desktop entry's string value
#   ROFF     text of a manual page's line
#   DEBIAN   a Debian control field's name in "name <address>" (the maintainer, the changelog)

function(zorvin_text_formats name)
    set(text "${${name}}")
    string(ASCII 1 31 127 ends)
    string(SUBSTRING "${ends}" 0 1 first)
    string(SUBSTRING "${ends}" 1 1 last)
    string(SUBSTRING "${ends}" 2 1 delete)
    if(text MATCHES "[${first}-${last}${delete}]")
        message(FATAL_ERROR "${name} holds a control character: \"${text}\"")
    endif()

    string(REPLACE "\\" "\\\\" c "${text}")
    string(REPLACE "\"" "\\\"" c "${c}")
    set(${name}_C "${c}" PARENT_SCOPE)

    string(REPLACE "\\" "\\\\" rc "${text}")
    string(REPLACE "\"" "\"\"" rc "${rc}")
    set(${name}_RC "${rc}" PARENT_SCOPE)

    string(REPLACE "&" "&amp;" xml "${text}")
    string(REPLACE "<" "&lt;" xml "${xml}")
    string(REPLACE ">" "&gt;" xml "${xml}")
    string(REPLACE "\"" "&quot;" xml "${xml}")
    string(REPLACE "'" "&apos;" xml "${xml}")
    set(${name}_XML "${xml}" PARENT_SCOPE)

    string(REPLACE "\\" "\\\\" desktop "${text}")
    set(${name}_DESKTOP "${desktop}" PARENT_SCOPE)

    # A line that starts with "." or "'" would be a request; "\&" before it is nothing on the page.
    string(REPLACE "\\" "\\e" roff "${text}")
    set(${name}_ROFF "\\&${roff}" PARENT_SCOPE)

    # A name with the characters that end it ("<", ",", quotes and the like) is quoted, as in mail.
    if(text MATCHES "[]<>(),.:;@\\\"[]")
        string(REPLACE "\\" "\\\\" debian "${text}")
        string(REPLACE "\"" "\\\"" debian "${debian}")
        set(debian "\"${debian}\"")
    else()
        set(debian "${text}")
    endif()
    set(${name}_DEBIAN "${debian}" PARENT_SCOPE)
endfunction()
