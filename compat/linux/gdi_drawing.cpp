// GDI's drawing calls on cairo. Coordinates name pixels, so a stroke of odd width runs through
// pixel centres (+0.5) and one of even width along pixel edges; shapes are aliased like GDI's.
// Arcs and pies run counter-clockwise on the screen, which is cairo's negative direction.
#include "gdi_drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace standin::gdi {

namespace {

void SetColor(cairo_t* cr, COLORREF color) {
    cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                         GetBValue(color) / 255.0);
}

const Object* Current(HGDIOBJ handle) {
    return FindObject(handle);
}

bool HasPen(const DeviceContext& dc) {
    const Object* pen = Current(dc.pen);
    return pen != nullptr && pen->penStyle != PS_NULL;
}

int PenWidth(const DeviceContext& dc) {
    const Object* pen = Current(dc.pen);
    return pen == nullptr ? 1 : std::max(1, pen->width);
}

double PenOffset(const DeviceContext& dc) {
    return PenWidth(dc) % 2 == 1 ? 0.5 : 0.0;
}

// Strokes the current path with the selected pen: wide pens have round ends, as GDI's geometric
// pens do by default.
void StrokeWithPen(DeviceContext& dc, bool closedShape) {
    const Object* pen = Current(dc.pen);
    if (pen == nullptr || pen->penStyle == PS_NULL) {
        cairo_new_path(dc.cr);
        return;
    }
    const int width = std::max(1, pen->width);
    cairo_set_line_width(dc.cr, width);
    const bool wide = width > 1;
    cairo_set_line_cap(dc.cr, wide ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(dc.cr,
                        wide && !closedShape ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
    SetColor(dc.cr, pen->color);
    cairo_stroke(dc.cr);
}

void FillWithBrush(DeviceContext& dc) {
    const Object* brush = Current(dc.brush);
    if (brush == nullptr) {
        cairo_new_path(dc.cr);
        return;
    }
    SetColor(dc.cr, brush->color);
    cairo_fill(dc.cr);
}

struct Ellipse {
    double cx = 0;
    double cy = 0;
    double rx = 0;
    double ry = 0;
};

Ellipse EllipseIn(const RECT& box, double shrink) {
    const double left = std::min(box.left, box.right);
    const double right = std::max(box.left, box.right) - shrink;
    const double top = std::min(box.top, box.bottom);
    const double bottom = std::max(box.top, box.bottom) - shrink;
    return Ellipse{(left + right) / 2, (top + bottom) / 2, (right - left) / 2, (bottom - top) / 2};
}

// Angle, in cairo's y-down sense, of where the ray from the centre through the point meets the
// ellipse.
double RayAngle(const Ellipse& e, POINT p) {
    const double dx = e.rx > 0 ? (p.x - e.cx) / e.rx : 0;
    const double dy = e.ry > 0 ? (p.y - e.cy) / e.ry : 0;
    return std::atan2(dy, dx);
}

// Appends the elliptic arc from one ray counter-clockwise (on screen) to the other; the same
// ray twice means the whole ellipse.
void AppendArc(cairo_t* cr, const Ellipse& e, double from, double to) {
    cairo_save(cr);
    cairo_translate(cr, e.cx, e.cy);
    cairo_scale(cr, std::max(e.rx, 1e-9), std::max(e.ry, 1e-9));
    if (from == to) {
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, 0, 0, 1, from, from - 2 * std::numbers::pi);
    } else {
        cairo_arc_negative(cr, 0, 0, 1, from, to);
    }
    cairo_restore(cr);
}

std::string Latin1ToUtf8(const char* text, int length) {
    std::string utf8;
    for (int i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

const fonts::ResolvedFont& SelectFont(DeviceContext& dc) {
    const Object* font = Current(dc.font);
    const fonts::ResolvedFont& resolved =
        fonts::Resolve(font != nullptr ? font->font : fonts::FontRequest{});
    cairo_set_font_face(dc.cr, resolved.face);
    cairo_set_font_matrix(dc.cr, &resolved.matrix);
    fonts::ApplyTextOptions(dc.cr, resolved.antialiased);
    return resolved;
}

}  // namespace

void DrawRectangle(DeviceContext& dc, int left, int top, int right, int bottom) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    cairo_t* cr = dc.cr;
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    // Right and bottom are exclusive: the outline's last column and row are right-1 and
    // bottom-1, and without an outline the fill stops there too.
    cairo_rectangle(cr, left, top, right - 1 - left, bottom - 1 - top);
    FillWithBrush(dc);
    if (HasPen(dc)) {
        const double o = PenOffset(dc);
        cairo_rectangle(cr, left + o, top + o, right - 1 - left, bottom - 1 - top);
        StrokeWithPen(dc, true);
    }
    cairo_restore(cr);
}

void DrawLineTo(DeviceContext& dc, int x, int y) {
    cairo_t* cr = dc.cr;
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    const double o = PenOffset(dc);
    if (PenWidth(dc) == 1) {
        // A thin line leaves out its last pixel: stop half a pixel short of the end's centre.
        const double dx = x - dc.position.x;
        const double dy = y - dc.position.y;
        const double length = std::hypot(dx, dy);
        const double cut = length > 0 ? 0.5 / length : 0;
        cairo_move_to(cr, dc.position.x + o, dc.position.y + o);
        cairo_line_to(cr, x + o - dx * cut, y + o - dy * cut);
    } else {
        cairo_move_to(cr, dc.position.x + o, dc.position.y + o);
        cairo_line_to(cr, x + o, y + o);
    }
    StrokeWithPen(dc, false);
    cairo_restore(cr);
    dc.position = POINT{x, y};
}

void DrawArc(DeviceContext& dc, const RECT& box, POINT start, POINT end) {
    cairo_t* cr = dc.cr;
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    const Ellipse e = EllipseIn(box, 0);
    const double o = PenOffset(dc);
    const Ellipse shifted{e.cx + o, e.cy + o, e.rx, e.ry};
    AppendArc(cr, shifted, RayAngle(e, start), RayAngle(e, end));
    StrokeWithPen(dc, false);
    cairo_restore(cr);
}

void DrawPie(DeviceContext& dc, const RECT& box, POINT first, POINT second) {
    cairo_t* cr = dc.cr;
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    // Without an outline the figure is a pixel smaller on the right and bottom, as in GDI.
    const Ellipse e = EllipseIn(box, HasPen(dc) ? 0 : 1);
    const double from = RayAngle(e, first);
    const double to = RayAngle(e, second);
    auto path = [&] {
        if (from != to) cairo_move_to(cr, e.cx, e.cy);
        AppendArc(cr, e, from, to);
        cairo_close_path(cr);
    };
    path();
    FillWithBrush(dc);
    if (HasPen(dc)) {
        path();
        StrokeWithPen(dc, true);
    }
    cairo_restore(cr);
}

double TextWidth(DeviceContext& dc, const char* text, int length) {
    cairo_save(dc.cr);
    SelectFont(dc);
    const std::string utf8 = Latin1ToUtf8(text, length);
    cairo_text_extents_t extents;
    cairo_text_extents(dc.cr, utf8.c_str(), &extents);
    cairo_restore(dc.cr);
    return extents.x_advance;
}

void DrawText(DeviceContext& dc, int x, int y, const char* text, int length) {
    cairo_t* cr = dc.cr;
    cairo_save(cr);
    const fonts::ResolvedFont& font = SelectFont(dc);
    const std::string utf8 = Latin1ToUtf8(text, length);
    // The text becomes glyphs once, for both measuring and drawing: the mapping costs more than
    // either in a frame drawn once a second.
    cairo_scaled_font_t* scaled = cairo_get_scaled_font(cr);
    cairo_glyph_t* glyphs = nullptr;
    int glyphCount = 0;
    if (cairo_scaled_font_text_to_glyphs(scaled, 0, 0, utf8.c_str(), static_cast<int>(utf8.size()),
                                         &glyphs, &glyphCount, nullptr, nullptr,
                                         nullptr) != CAIRO_STATUS_SUCCESS) {
        cairo_restore(cr);
        return;
    }
    cairo_text_extents_t extents;
    cairo_glyph_extents(cr, glyphs, glyphCount, &extents);
    const double width = extents.x_advance;

    double left = x;
    if ((dc.textAlign & TA_CENTER) == TA_CENTER) {
        left = x - std::round(width / 2);
    } else if ((dc.textAlign & TA_RIGHT) != 0) {
        left = x - width;
    }
    double baseline = y + font.ascent;
    if ((dc.textAlign & TA_BASELINE) == TA_BASELINE) {
        baseline = y;
    } else if ((dc.textAlign & TA_BOTTOM) != 0) {
        baseline = y - font.descent;
    }

    if (dc.bkMode == OPAQUE) {
        cairo_rectangle(cr, left, baseline - font.ascent, width, font.ascent + font.descent);
        SetColor(cr, dc.bkColor);
        cairo_fill(cr);
    }
    SetColor(cr, dc.textColor);
    for (int i = 0; i < glyphCount; ++i) {
        glyphs[i].x += left;
        glyphs[i].y += baseline;
    }
    cairo_show_glyphs(cr, glyphs, glyphCount);
    cairo_glyph_free(glyphs);
    cairo_restore(cr);
}

}  // namespace standin::gdi
