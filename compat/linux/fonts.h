// GDI's logical fonts on fontconfig and FreeType: a face name resolves to the closest installed
// face, and GDI's cell height and average character width become a cairo font matrix.
#pragma once

#include <cairo.h>

#include <string>

namespace standin::fonts {

struct FontRequest {
    // Positive: the character cell (ascent + descent); negative: the em height; 0: a default.
    int height = 0;
    // Average character width; 0 keeps the face's own proportions.
    int width = 0;
    int weight = 400;
    bool italic = false;
    // Smoothed edges: only when the program asks for them (ANTIALIASED_QUALITY and up).
    bool antialiased = false;
    std::string faceName;
    auto operator<=>(const FontRequest&) const = default;
};

struct ResolvedFont {
    cairo_font_face_t* face = nullptr;
    cairo_matrix_t matrix{};
    // Whole pixels, as GDI's text metrics report them.
    int ascent = 0;
    int descent = 0;
    std::string family;
    bool antialiased = false;
};

// Cached for the life of the process: the few fonts a program uses are resolved once.
const ResolvedFont& Resolve(const FontRequest& request);

// Options for text: fully hinted outlines on whole-pixel advances, as GDI positions glyphs, with
// smoothed edges only where the font asks for them. Without font smoothing, which is the
// default quality's look on a desktop with smoothing off (and under Wine), glyphs are solid.
void ApplyTextOptions(cairo_t* cr, bool antialiased);

}  // namespace standin::fonts
