# Build step of the stand-in: turns every "<id> ICON <file>" line of the program's resource script
# into bytes compiled into the stand-in, so that LoadIconA finds the icons Windows builds link in.
#     cmake -DRC=resources/ovenbell.rc -DOUT=embedded_icons.cpp -P embed_icons.cmake
file(STRINGS ${RC} lines REGEX "^[ \t]*[0-9]+[ \t]+ICON[ \t]+\"[^\"]+\"")
if(NOT lines)
    message(FATAL_ERROR "${RC} names no icon")
endif()
get_filename_component(rc_dir ${RC} DIRECTORY)
get_filename_component(rc_name ${RC} NAME)

set(arrays "")
set(entries "")
set(index 0)
foreach(line IN LISTS lines)
    string(REGEX MATCH "([0-9]+)[ \t]+ICON[ \t]+\"([^\"]+)\"" _ "${line}")
    set(id ${CMAKE_MATCH_1})
    set(file ${rc_dir}/${CMAKE_MATCH_2})
    file(READ ${file} hex HEX)
    string(LENGTH "${hex}" length)
    # Sixteen bytes a line keeps the generated source readable in a debugger.
    set(bytes "")
    set(at 0)
    while(at LESS length)
        string(SUBSTRING "${hex}" ${at} 32 chunk)
        string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," chunk "${chunk}")
        string(APPEND bytes "    ${chunk}\n")
        math(EXPR at "${at} + 32")
    endwhile()
    string(APPEND arrays "const unsigned char icon${index}[] = {\n${bytes}};\n")
    string(APPEND entries "    {${id}, icon${index}, sizeof(icon${index})},\n")
    math(EXPR index "${index} + 1")
endforeach()

file(WRITE ${OUT}.tmp
"// Generated from ${rc_name} by embed_icons.cmake; edits are lost on the next build.
#include \"embedded_icons.h\"

namespace standin {

namespace {

${arrays}
}  // namespace

const EmbeddedIcon embeddedIcons[] = {
${entries}};
const std::size_t embeddedIconCount = sizeof(embeddedIcons) / sizeof(embeddedIcons[0]);

}  // namespace standin
")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
