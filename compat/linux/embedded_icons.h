// The program's icon files as compiled in from its resource script (embed_icons.cmake writes the
// definitions at build time).
#pragma once

#include <cstddef>

namespace standin {

struct EmbeddedIcon {
    unsigned id;
    const unsigned char* bytes;
    std::size_t size;
};

extern const EmbeddedIcon embeddedIcons[];
extern const std::size_t embeddedIconCount;

}  // namespace standin
