// The stand-in's message box: a small topmost window with an icon, the text and an OK button that
// Enter, Space, Escape, a click or the close box dismiss. Its loop dispatches every other
// window's messages meanwhile, as the platform's ownerless box does.
#include "message_box.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "fonts.h"
#include "gdi_objects.h"
#include "host.h"
#include "window_system.h"

namespace standin {

namespace {

constexpr const char* BoxClassName = "OvenbellStandInMessageBox";
constexpr int Margin = 14;
constexpr int IconSize = 32;
constexpr int ButtonWidth = 80;
constexpr int ButtonHeight = 26;
constexpr int ButtonBand = ButtonHeight + 2 * 12;
constexpr int MinimumWidth = 200;

struct Box {
    HWND window = nullptr;
    std::string text;
    std::string caption;
    UINT type = 0;
    std::vector<std::string> lines;
    int lineHeight = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    bool pressed = false;
    bool done = false;

    RECT Button() const {
        const int left = clientWidth - Margin - ButtonWidth;
        const int top = clientHeight - 12 - ButtonHeight;
        return RECT{left, top, left + ButtonWidth, top + ButtonHeight};
    }
};

std::vector<Box*>& Boxes() {
    static std::vector<Box*> boxes;
    return boxes;
}

Box* FindBox(HWND window) {
    for (Box* box : Boxes()) {
        if (box->window == window) return box;
    }
    return nullptr;
}

fonts::FontRequest BoxFont() {
    fonts::FontRequest font;
    font.height = 16;
    font.faceName = "sans-serif";
    font.antialiased = true;
    return font;
}

UINT IconKind(UINT type) {
    return type & 0xF0;
}

void SetColor(cairo_t* cr, double r, double g, double b) {
    cairo_set_source_rgb(cr, r / 255, g / 255, b / 255);
}

void UseFont(cairo_t* cr) {
    const fonts::ResolvedFont& font = fonts::Resolve(BoxFont());
    cairo_set_font_face(cr, font.face);
    cairo_set_font_matrix(cr, &font.matrix);
    fonts::ApplyTextOptions(cr, true);
}

double TextWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

void Layout(Box& box) {
    std::istringstream stream(box.text);
    for (std::string line; std::getline(stream, line);) box.lines.push_back(line);
    if (box.lines.empty()) box.lines.emplace_back();
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    UseFont(cr);
    double widest = 0;
    for (const std::string& line : box.lines) widest = std::max(widest, TextWidth(cr, line));
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);

    const fonts::ResolvedFont& font = fonts::Resolve(BoxFont());
    box.lineHeight = font.ascent + font.descent;
    const int iconSpace = IconKind(box.type) != 0 ? IconSize + Margin : 0;
    box.clientWidth =
        std::max(MinimumWidth, Margin + iconSpace + static_cast<int>(std::ceil(widest)) + Margin);
    const int textHeight = box.lineHeight * static_cast<int>(box.lines.size());
    box.clientHeight =
        Margin + std::max(iconSpace > 0 ? IconSize : 0, textHeight) + Margin + ButtonBand;
}

void DrawIcon(cairo_t* cr, UINT kind, double x, double y) {
    const double cx = x + IconSize / 2.0;
    const double cy = y + IconSize / 2.0;
    const char* glyph = "i";
    if (kind == MB_ICONEXCLAMATION) {
        cairo_move_to(cr, cx, y + 1);
        cairo_line_to(cr, x + IconSize - 1, y + IconSize - 2);
        cairo_line_to(cr, x + 1, y + IconSize - 2);
        cairo_close_path(cr);
        SetColor(cr, 255, 185, 0);
        cairo_fill(cr);
        glyph = "!";
        SetColor(cr, 0, 0, 0);
    } else {
        cairo_arc(cr, cx, cy, IconSize / 2.0 - 1, 0, 2 * 3.14159265358979);
        if (kind == MB_ICONHAND) {
            SetColor(cr, 200, 30, 30);
            glyph = "x";
        } else {
            SetColor(cr, 0, 102, 204);
            glyph = kind == MB_ICONQUESTION ? "?" : "i";
        }
        cairo_fill(cr);
        SetColor(cr, 255, 255, 255);
    }
    cairo_save(cr);
    fonts::FontRequest request;
    request.height = 26;
    request.weight = FW_BOLD;
    request.faceName = "sans-serif";
    request.antialiased = true;
    const fonts::ResolvedFont& font = fonts::Resolve(request);
    cairo_set_font_face(cr, font.face);
    cairo_set_font_matrix(cr, &font.matrix);
    fonts::ApplyTextOptions(cr, true);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, glyph, &extents);
    cairo_move_to(
        cr, cx - extents.x_bearing - extents.width / 2,
        cy + (kind == MB_ICONEXCLAMATION ? 4 : 0) - extents.y_bearing - extents.height / 2);
    cairo_show_text(cr, glyph);
    cairo_restore(cr);
}

void Paint(Box& box, cairo_t* cr) {
    SetColor(cr, 255, 255, 255);
    cairo_paint(cr);
    SetColor(cr, 240, 240, 240);
    cairo_rectangle(cr, 0, box.clientHeight - ButtonBand, box.clientWidth, ButtonBand);
    cairo_fill(cr);

    int textLeft = Margin;
    if (IconKind(box.type) != 0) {
        DrawIcon(cr, IconKind(box.type), Margin, Margin);
        textLeft += IconSize + Margin;
    }
    UseFont(cr);
    const fonts::ResolvedFont& font = fonts::Resolve(BoxFont());
    const int textHeight = box.lineHeight * static_cast<int>(box.lines.size());
    const int blockHeight = std::max(IconKind(box.type) != 0 ? IconSize : 0, textHeight);
    int top = Margin + (blockHeight - textHeight) / 2;
    SetColor(cr, 0, 0, 0);
    for (const std::string& line : box.lines) {
        cairo_move_to(cr, textLeft, top + font.ascent);
        cairo_show_text(cr, line.c_str());
        top += box.lineHeight;
    }

    const RECT button = box.Button();
    cairo_rectangle(cr, button.left + 0.5, button.top + 0.5, ButtonWidth - 1, ButtonHeight - 1);
    if (box.pressed) {
        SetColor(cr, 204, 228, 247);
    } else {
        SetColor(cr, 225, 225, 225);
    }
    cairo_fill_preserve(cr);
    // The button has the focus: the default button's blue frame.
    SetColor(cr, 0, 120, 215);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const double width = TextWidth(cr, "OK");
    SetColor(cr, 0, 0, 0);
    cairo_move_to(cr, button.left + (ButtonWidth - width) / 2,
                  button.top + (ButtonHeight - box.lineHeight) / 2 + font.ascent);
    cairo_show_text(cr, "OK");
}

bool InButton(const Box& box, LPARAM lParam) {
    const auto x = static_cast<short>(LOWORD(lParam));
    const auto y = static_cast<short>(HIWORD(lParam));
    const RECT button = box.Button();
    return x >= button.left && x < button.right && y >= button.top && y < button.bottom;
}

void Repaint(Box& box) {
    if (Window* window = FindWindow(box.window)) {
        Invalidate(*window, nullptr, false);
        PaintNow(*window);
    }
}

LRESULT CALLBACK BoxProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Box* box = FindBox(handle);
    if (box == nullptr) return DefaultProcedure(handle, message, wParam, lParam);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            Window* window = FindWindow(handle);
            PAINTSTRUCT paint;
            StartPaint(*window, paint);
            if (gdi::DeviceContext* dc = gdi::FindDc(paint.hdc)) Paint(*box, dc->cr);
            FinishPaint(*window, paint);
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_SPACE) box->done = true;
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (InButton(*box, lParam)) {
                box->pressed = true;
                Repaint(*box);
            }
            return 0;
        case WM_LBUTTONUP:
            if (box->pressed) {
                box->pressed = false;
                box->done = InButton(*box, lParam);
                Repaint(*box);
            }
            return 0;
        case WM_CLOSE:
            box->done = true;
            return 0;
        default:
            return DefaultProcedure(handle, message, wParam, lParam);
    }
}

void EnsureClass() {
    if (ClassExists(BoxClassName)) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.lpfnWndProc = BoxProcedure;
    windowClass.lpszClassName = BoxClassName;
    RegisterClass(windowClass);
}

}  // namespace

int RunMessageBox(const char* text, const char* caption, UINT type) {
    EnsureClass();
    Box box;
    box.text = text;
    box.caption = caption;
    box.type = type;
    Layout(box);
    const DWORD style = WS_CAPTION | WS_SYSMENU;
    // Topmost like the timer window, which would otherwise cover a box that opens under it.
    const DWORD exStyle = WS_EX_TOPMOST;
    Boxes().push_back(&box);
    box.window =
        CreateWindow(exStyle, BoxClassName, box.caption, style, CentredOnScreen, CentredOnScreen,
                     box.clientWidth + NonClientWidth(style, exStyle),
                     box.clientHeight + NonClientHeight(style, exStyle), nullptr, nullptr, "box");
    int result = 0;
    if (box.window != nullptr) {
        Show(box.window, SW_SHOW);
        if (Window* window = FindWindow(box.window)) {
            CurrentHost().Raise(*window);
            PaintNow(*window);
        }
        result = IDOK;
        while (!box.done) {
            MSG message{};
            const BOOL got = NextMessage(message);
            if (got == 0) {
                // The quit message ends the box and stays for the loop outside.
                PostQuit(static_cast<int>(message.wParam));
                result = 0;
                break;
            }
            if (got < 0) {
                result = 0;
                break;
            }
            Dispatch(message);
        }
        Destroy(box.window);
    }
    std::erase(Boxes(), &box);
    return result;
}

std::vector<OpenBox> OpenMessageBoxes() {
    std::vector<OpenBox> open;
    for (const Box* box : Boxes())
        open.push_back(OpenBox{box->window, box->text, box->caption, box->type});
    return open;
}

}  // namespace standin
