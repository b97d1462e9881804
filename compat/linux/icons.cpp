// Decoding of .ico files (directory entry, BITMAPINFOHEADER, bottom-up BGRA rows) and the table
// of the program's icons, decoded on first use.
#include "icons.h"

#include <memory>

#include "embedded_icons.h"

namespace standin {

namespace {

std::uint32_t Read16(const unsigned char* at) {
    return static_cast<std::uint32_t>(at[0] | (at[1] << 8));
}

std::uint32_t Read32(const unsigned char* at) {
    return Read16(at) | (Read16(at + 2) << 16);
}

constexpr std::size_t DirectorySize = 6;
constexpr std::size_t EntrySize = 16;
constexpr std::uint32_t InfoHeaderSize = 40;

std::optional<IconImage> DecodeImage(const unsigned char* bytes, std::size_t size) {
    if (size < InfoHeaderSize || Read32(bytes) < InfoHeaderSize) return std::nullopt;
    const auto width = static_cast<std::int32_t>(Read32(bytes + 4));
    // The height counts the colour rows and the AND mask below them.
    const auto doubleHeight = static_cast<std::int32_t>(Read32(bytes + 8));
    const std::uint32_t bitCount = Read16(bytes + 14);
    const std::uint32_t compression = Read32(bytes + 16);
    if (width <= 0 || width > 256 || doubleHeight <= 0 || doubleHeight > 512 || bitCount != 32 ||
        compression != 0) {
        return std::nullopt;
    }
    const int height = doubleHeight / 2;
    const auto rowBytes = static_cast<std::size_t>(width) * 4;
    const std::size_t start = Read32(bytes);
    if (start > size || (size - start) / rowBytes < static_cast<std::size_t>(height)) {
        return std::nullopt;
    }
    IconImage image;
    image.width = width;
    image.height = height;
    image.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const unsigned char* row =
            bytes + start + static_cast<std::size_t>(height - 1 - y) * rowBytes;
        // Each pixel is B, G, R, A in memory: a little-endian 0xAARRGGBB.
        for (int x = 0; x < width; ++x) image.pixels.push_back(Read32(row + 4 * x));
    }
    return image;
}

struct LoadedIcon {
    unsigned id = 0;
    IconImage image;
};

const std::vector<std::unique_ptr<LoadedIcon>>& Loaded() {
    static const auto loaded = [] {
        std::vector<std::unique_ptr<LoadedIcon>> icons;
        for (std::size_t i = 0; i < embeddedIconCount; ++i) {
            const EmbeddedIcon& embedded = embeddedIcons[i];
            if (auto image = DecodeIco(embedded.bytes, embedded.size)) {
                icons.push_back(std::make_unique<LoadedIcon>(LoadedIcon{embedded.id, *image}));
            }
        }
        return icons;
    }();
    return loaded;
}

}  // namespace

std::optional<IconImage> DecodeIco(const unsigned char* bytes, std::size_t size) {
    if (bytes == nullptr || size < DirectorySize || Read16(bytes) != 0 || Read16(bytes + 2) != 1) {
        return std::nullopt;
    }
    const std::uint32_t count = Read16(bytes + 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = DirectorySize + i * EntrySize;
        if (entry + EntrySize > size) break;
        const std::size_t length = Read32(bytes + entry + 8);
        const std::size_t offset = Read32(bytes + entry + 12);
        if (offset > size || length > size - offset) continue;
        if (auto image = DecodeImage(bytes + offset, length)) return image;
    }
    return std::nullopt;
}

HICON ProgramIcon(unsigned id) {
    // A handle is the address of the decoded icon, which lives as long as the process.
    for (const auto& icon : Loaded()) {
        if (icon->id == id) return reinterpret_cast<HICON>(icon.get());
    }
    return nullptr;
}

const IconImage* FindIcon(HICON icon) {
    if (icon == nullptr) return nullptr;
    for (const auto& loaded : Loaded()) {
        if (reinterpret_cast<HICON>(loaded.get()) == icon) return &loaded->image;
    }
    return nullptr;
}

}  // namespace standin
