// GDI's drawing objects and device contexts in the stand-in.
#include "gdi_objects.h"

#include <map>

#include "trace.h"
#include "window_system.h"

namespace standin::gdi {

namespace {

struct Objects {
    std::map<HGDIOBJ, Object> objects;
    std::map<HDC, DeviceContext> contexts;
    HGDIOBJ stockPen = nullptr;
    HGDIOBJ stockBrush = nullptr;
    HGDIOBJ stockFont = nullptr;
    int refusedDeletes = 0;
};

Objects& State() {
    static Objects state;
    return state;
}

HGDIOBJ Stock(HGDIOBJ& slot, const Object& object, const char* label) {
    if (slot == nullptr) {
        slot = NewHandle();
        Object stock = object;
        stock.stock = true;
        State().objects[slot] = stock;
        trace::AssignFixedLabel(slot, label);
    }
    return slot;
}

HGDIOBJ StockPen() {
    Object pen;
    pen.kind = Kind::Pen;
    return Stock(State().stockPen, pen, "stock_pen");
}

HGDIOBJ StockBrush() {
    Object brush;
    brush.kind = Kind::Brush;
    brush.color = RGB(255, 255, 255);
    return Stock(State().stockBrush, brush, "stock_brush");
}

HGDIOBJ StockFont() {
    Object font;
    font.kind = Kind::Font;
    font.font.height = 16;
    font.font.weight = FW_BOLD;
    font.font.faceName = "sans-serif";
    return Stock(State().stockFont, font, "stock_font");
}

void Unselect(HGDIOBJ handle) {
    if (Object* object = FindObject(handle)) --object->selections;
}

const char* LabelKind(Kind kind) {
    switch (kind) {
        case Kind::Pen:
            return "pen";
        case Kind::Brush:
            return "brush";
        case Kind::Font:
            return "font";
    }
    return "object";
}

}  // namespace

HGDIOBJ CreateObject(const Object& object) {
    HGDIOBJ handle = NewHandle();
    State().objects[handle] = object;
    trace::AssignLabel(handle, LabelKind(object.kind));
    return handle;
}

Object* FindObject(HGDIOBJ handle) {
    const auto found = State().objects.find(handle);
    return found == State().objects.end() ? nullptr : &found->second;
}

HGDIOBJ Select(HDC dc, HGDIOBJ handle) {
    DeviceContext* context = FindDc(dc);
    Object* object = FindObject(handle);
    if (context == nullptr || object == nullptr) return nullptr;
    HGDIOBJ* slot = nullptr;
    switch (object->kind) {
        case Kind::Pen:
            slot = &context->pen;
            break;
        case Kind::Brush:
            slot = &context->brush;
            break;
        case Kind::Font:
            slot = &context->font;
            break;
    }
    HGDIOBJ previous = *slot;
    ++object->selections;
    Unselect(previous);
    *slot = handle;
    return previous;
}

bool Delete(HGDIOBJ handle) {
    Object* object = FindObject(handle);
    if (object == nullptr) return false;
    if (object->stock) return true;
    if (object->selections > 0) {
        // The platform leaves a selected object alone; a program that tries has a leak to fix.
        ++State().refusedDeletes;
        return false;
    }
    State().objects.erase(handle);
    trace::DropLabel(handle);
    return true;
}

DeviceContext* FindDc(HDC dc) {
    const auto found = State().contexts.find(dc);
    return found == State().contexts.end() ? nullptr : &found->second;
}

HDC CreatePaintDc(Window& window, const RECT& clip) {
    const auto handle = static_cast<HDC>(NewHandle());
    DeviceContext& context = State().contexts[handle];
    context.handle = handle;
    context.window = &window;
    context.clip = clip;
    context.cr = cairo_create(window.surface);
    cairo_rectangle(context.cr, clip.left, clip.top, clip.right - clip.left,
                    clip.bottom - clip.top);
    cairo_clip(context.cr);
    context.pen = StockPen();
    context.brush = StockBrush();
    context.font = StockFont();
    for (HGDIOBJ object : {context.pen, context.brush, context.font})
        ++FindObject(object)->selections;
    trace::AssignFixedLabel(handle, "dc");
    return handle;
}

void ReleaseDc(HDC dc) {
    DeviceContext* context = FindDc(dc);
    if (context == nullptr) return;
    for (HGDIOBJ object : {context->pen, context->brush, context->font}) Unselect(object);
    cairo_destroy(context->cr);
    trace::DropLabel(dc);
    State().contexts.erase(dc);
}

COLORREF SystemColor(int index) {
    switch (index) {
        case COLOR_WINDOW:
            return RGB(255, 255, 255);
        case COLOR_BTNFACE:
            return RGB(240, 240, 240);
        default:
            return RGB(255, 255, 255);
    }
}

bool FillClipWithBrush(HDC dc, HBRUSH brush) {
    DeviceContext* context = FindDc(dc);
    if (context == nullptr) return false;
    COLORREF color = 0;
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (const Object* object = FindObject(brush);
        object != nullptr && object->kind == Kind::Brush) {
        color = object->color;
    } else if (value > 0 && value <= 31) {
        color = SystemColor(static_cast<int>(value) - 1);
    } else {
        return false;
    }
    cairo_t* cr = context->cr;
    cairo_save(cr);
    cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                         GetBValue(color) / 255.0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_restore(cr);
    return true;
}

int LiveObjects() {
    int live = 0;
    for (const auto& [handle, object] : State().objects) live += object.stock ? 0 : 1;
    return live;
}

int RefusedDeletes() {
    return State().refusedDeletes;
}

void ResetObjects() {
    auto& state = State();
    for (auto& [handle, context] : state.contexts) {
        cairo_destroy(context.cr);
        trace::DropLabel(handle);
    }
    for (const auto& [handle, object] : state.objects) {
        if (!object.stock) trace::DropLabel(handle);
    }
    state.contexts.clear();
    std::erase_if(state.objects, [](const auto& entry) { return !entry.second.stock; });
    for (auto& [handle, object] : state.objects) object.selections = 0;
    state.refusedDeletes = 0;
}

}  // namespace standin::gdi
