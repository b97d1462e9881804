// Icons of the stand-in: the program's own icon resources, decoded from their .ico files into
// pixels the host can give the desktop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "win32_api.h"

namespace standin {

struct IconImage {
    int width = 0;
    int height = 0;
    // 0xAARRGGBB, not premultiplied, top row first.
    std::vector<std::uint32_t> pixels;
};

// The first 32-bit uncompressed image of an .ico file; none when the file holds no such image or
// is cut short.
std::optional<IconImage> DecodeIco(const unsigned char* bytes, std::size_t size);

// The program's icon resource `id`, the same handle each time; null when there is none.
HICON ProgramIcon(unsigned id);
// The pixels behind a handle from ProgramIcon; null for any other handle.
const IconImage* FindIcon(HICON icon);

}  // namespace standin
