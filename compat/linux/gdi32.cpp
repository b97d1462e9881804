// GDI32 of the stand-in: each call is recorded in the trace and carried out on the device
// context's cairo surface.
#include "gdi_drawing.h"
#include "gdi_objects.h"
#include "trace.h"
#include "win32_api.h"

using namespace standin;
using namespace standin::gdi;

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    const std::size_t slot = trace::Call("CreateSolidBrush", trace::Color(color));
    Object brush;
    brush.kind = Kind::Brush;
    brush.color = color;
    return trace::Result(slot, static_cast<HBRUSH>(CreateObject(brush)));
}

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
    const std::size_t slot = trace::Call("CreatePen", style, width, trace::Color(color));
    Object pen;
    pen.kind = Kind::Pen;
    pen.penStyle = style;
    pen.width = width;
    pen.color = color;
    return trace::Result(slot, static_cast<HPEN>(CreateObject(pen)));
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                         DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                         DWORD pitchAndFamily, LPCSTR faceName) {
    const std::size_t slot = trace::Call(
        "CreateFontA", height, width, escapement, orientation, weight, italic, underline, strikeOut,
        charSet, outPrecision, clipPrecision, quality, pitchAndFamily, faceName);
    Object font;
    font.kind = Kind::Font;
    font.font.height = height;
    font.font.width = width;
    font.font.weight = weight;
    font.font.italic = italic != 0;
    font.font.antialiased = quality == ANTIALIASED_QUALITY || quality == CLEARTYPE_QUALITY;
    font.font.faceName = faceName != nullptr ? faceName : "";
    return trace::Result(slot, static_cast<HFONT>(CreateObject(font)));
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    const std::size_t slot = trace::Call("SelectObject", dc, object);
    return trace::Result(slot, Select(dc, object));
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
    trace::Call("DeleteObject", object);
    return Delete(object) ? TRUE : FALSE;
}

BOOL WINAPI Rectangle(HDC dc, int left, int top, int right, int bottom) {
    trace::Call("Rectangle", dc, left, top, right, bottom);
    DeviceContext* context = FindDc(dc);
    if (context == nullptr) return FALSE;
    DrawRectangle(*context, left, top, right, bottom);
    return TRUE;
}

BOOL WINAPI MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
    trace::Call("MoveToEx", dc, x, y, previous);
    DeviceContext* context = FindDc(dc);
    if (context == nullptr) return FALSE;
    if (previous != nullptr) *previous = context->position;
    context->position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC dc, int x, int y) {
    trace::Call("LineTo", dc, x, y);
    DeviceContext* context = FindDc(dc);
    if (context == nullptr) return FALSE;
    DrawLineTo(*context, x, y);
    return TRUE;
}

BOOL WINAPI Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                int yEnd) {
    trace::Call("Arc", dc, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
    DeviceContext* context = FindDc(dc);
    if (context == nullptr) return FALSE;
    DrawArc(*context, RECT{left, top, right, bottom}, POINT{xStart, yStart}, POINT{xEnd, yEnd});
    return TRUE;
}

BOOL WINAPI Pie(HDC dc, int left, int top, int right, int bottom, int xFirst, int yFirst,
                int xSecond, int ySecond) {
    trace::Call("Pie", dc, left, top, right, bottom, xFirst, yFirst, xSecond, ySecond);
    DeviceContext* context = FindDc(dc);
    if (context == nullptr) return FALSE;
    DrawPie(*context, RECT{left, top, right, bottom}, POINT{xFirst, yFirst},
            POINT{xSecond, ySecond});
    return TRUE;
}

int WINAPI SetBkMode(HDC dc, int mode) {
    trace::Call("SetBkMode", dc, mode);
    DeviceContext* context = FindDc(dc);
    if (context == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int previous = context->bkMode;
    context->bkMode = mode;
    return previous;
}

UINT WINAPI SetTextAlign(HDC dc, UINT align) {
    trace::Call("SetTextAlign", dc, align);
    DeviceContext* context = FindDc(dc);
    // GDI_ERROR
    if (context == nullptr) return 0xFFFFFFFF;
    const UINT previous = context->textAlign;
    context->textAlign = align;
    return previous;
}

COLORREF WINAPI SetTextColor(HDC dc, COLORREF color) {
    trace::Call("SetTextColor", dc, trace::Color(color));
    DeviceContext* context = FindDc(dc);
    // CLR_INVALID
    if (context == nullptr) return 0xFFFFFFFF;
    const COLORREF previous = context->textColor;
    context->textColor = color;
    return previous;
}

BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    trace::Call("TextOutA", dc, x, y, trace::Quoted(text, length), length);
    DeviceContext* context = FindDc(dc);
    if (context == nullptr || text == nullptr || length < 0) return FALSE;
    DrawText(*context, x, y, text, length);
    return TRUE;
}
