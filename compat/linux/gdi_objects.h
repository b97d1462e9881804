// GDI's drawing objects and device contexts in the stand-in: creation, selection and deletion
// with the platform's rules (a selected object cannot be deleted; such attempts are counted).
#pragma once

#include <cairo.h>

#include "fonts.h"
#include "win32_api.h"

namespace standin {
struct Window;
}

namespace standin::gdi {

enum class Kind { Pen, Brush, Font };

struct Object {
    Kind kind = Kind::Pen;
    bool stock = false;
    // How many device contexts have it selected.
    int selections = 0;
    int penStyle = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
    fonts::FontRequest font;
};

struct DeviceContext {
    HDC handle = nullptr;
    Window* window = nullptr;
    cairo_t* cr = nullptr;
    RECT clip{};
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    int bkMode = OPAQUE;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT position{};
};

HGDIOBJ CreateObject(const Object& object);
Object* FindObject(HGDIOBJ handle);
HGDIOBJ Select(HDC dc, HGDIOBJ object);
bool Delete(HGDIOBJ object);

DeviceContext* FindDc(HDC dc);
// A context on the window's pixels, clipped to `clip`, holding the default objects.
HDC CreatePaintDc(Window& window, const RECT& clip);
void ReleaseDc(HDC dc);

// The system colours a class background may name as index + 1.
COLORREF SystemColor(int index);
// Fills the context's clip with a brush, or with a system colour given as index + 1.
bool FillClipWithBrush(HDC dc, HBRUSH brush);

// Pens, brushes and fonts created and not yet deleted (stock objects are not counted).
int LiveObjects();
int RefusedDeletes();
void ResetObjects();

}  // namespace standin::gdi
