// GDI's logical fonts on fontconfig and FreeType. A positive GDI height is the character cell,
// usWinAscent + usWinDescent of the face's OS/2 table; a width is the OS/2 average character
// width; both scale the face's em independently.
#include "fonts.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <map>

namespace standin::fonts {

namespace {

// What the platform's system font looks like when a request names nothing usable.
constexpr int DefaultCellHeight = 16;

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library created = nullptr;
        FT_Init_FreeType(&created);
        return created;
    }();
    return library;
}

struct FaceFile {
    std::string path;
    int index = 0;
    std::string family;
};

FaceFile Match(const FontRequest& request) {
    FcPattern* pattern = FcPatternCreate();
    const std::string name = request.faceName.empty() ? "sans-serif" : request.faceName;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT,
                        FcWeightFromOpenType(request.weight == 0 ? 400 : request.weight));
    FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    FaceFile file;
    if (match == nullptr) return file;
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        file.path = reinterpret_cast<const char*>(path);
    }
    FcPatternGetInteger(match, FC_INDEX, 0, &file.index);
    FcChar8* family = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) {
        file.family = reinterpret_cast<const char*>(family);
    }
    FcPatternDestroy(match);
    return file;
}

ResolvedFont Build(const FontRequest& request) {
    ResolvedFont resolved;
    const FaceFile file = Match(request);
    FT_Face face = nullptr;
    if (file.path.empty() || FT_New_Face(Library(), file.path.c_str(), file.index, &face) != 0) {
        // No font at all: cairo's own default keeps text drawing instead of failing.
        resolved.face = cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL,
                                                   CAIRO_FONT_WEIGHT_NORMAL);
        cairo_matrix_init_scale(&resolved.matrix, DefaultCellHeight, DefaultCellHeight);
        resolved.ascent = DefaultCellHeight * 4 / 5;
        resolved.descent = DefaultCellHeight - resolved.ascent;
        resolved.antialiased = request.antialiased;
        return resolved;
    }
    resolved.family = file.family;
    resolved.antialiased = request.antialiased;
    const double unitsPerEm = face->units_per_EM;
    double ascentUnits = face->ascender;
    double descentUnits = -face->descender;
    double averageWidthUnits = unitsPerEm / 2;
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
        ascentUnits = os2->usWinAscent;
        descentUnits = os2->usWinDescent;
        if (os2->xAvgCharWidth > 0) averageWidthUnits = os2->xAvgCharWidth;
    }
    const double cellUnits = ascentUnits + descentUnits;

    double em = 0;
    if (request.height > 0) {
        em = request.height * unitsPerEm / cellUnits;
    } else if (request.height < 0) {
        em = -request.height;
    } else {
        em = DefaultCellHeight * unitsPerEm / cellUnits;
    }
    double emWide = em;
    if (request.width > 0) emWide = request.width * unitsPerEm / averageWidthUnits;

    resolved.face = cairo_ft_font_face_create_for_ft_face(face, 0);
    // The face outlives nothing: both stay for the life of the process with the cache entry.
    cairo_matrix_init_scale(&resolved.matrix, emWide, em);
    resolved.ascent = static_cast<int>(std::lround(ascentUnits * em / unitsPerEm));
    resolved.descent = static_cast<int>(std::lround(descentUnits * em / unitsPerEm));
    return resolved;
}

}  // namespace

const ResolvedFont& Resolve(const FontRequest& request) {
    static std::map<FontRequest, ResolvedFont> cache;
    auto found = cache.find(request);
    if (found == cache.end()) found = cache.emplace(request, Build(request)).first;
    return found->second;
}

void ApplyTextOptions(cairo_t* cr, bool antialiased) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options,
                                     antialiased ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

}  // namespace standin::fonts
