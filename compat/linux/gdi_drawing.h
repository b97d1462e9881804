// GDI's drawing calls on cairo: shapes without antialiasing, as GDI draws them, and text with it.
#pragma once

#include "gdi_objects.h"

namespace standin::gdi {

void DrawRectangle(DeviceContext& dc, int left, int top, int right, int bottom);
void DrawLineTo(DeviceContext& dc, int x, int y);
void DrawArc(DeviceContext& dc, const RECT& box, POINT start, POINT end);
void DrawPie(DeviceContext& dc, const RECT& box, POINT first, POINT second);
void DrawText(DeviceContext& dc, int x, int y, const char* text, int length);

// The text's advance width in the context's current font.
double TextWidth(DeviceContext& dc, const char* text, int length);

}  // namespace standin::gdi
