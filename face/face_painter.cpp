// Draws one frame of the timer face with GDI. Everything drawn comes from the face model; each
// pen, brush and font lives for one step and is deleted only after the one it replaced is back.
#include "face_painter.h"

#include <ctime>

#include "countdown.h"
#include "face_model.h"

namespace {

COLORREF ToColorRef(FaceColor color) {
    return RGB(color.r, color.g, color.b);
}

void PaintFlash(HDC dc, const FaceRect& rect) {
    // No pen selected: the outline comes from the default black one-pixel pen.
    HBRUSH brush = CreateSolidBrush(ToColorRef(FlashFillColor));
    HGDIOBJ previous = SelectObject(dc, brush);
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(dc, previous);
    DeleteObject(brush);
}

void PaintBar(HDC dc, const FaceModel& face) {
    HPEN pen = CreatePen(PS_SOLID, 4, ToColorRef(BarColor));
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, face.paintRect.left, face.barY, nullptr);
    LineTo(dc, face.barEndX, face.barY);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

// Arcs run counter-clockwise from the ray through `from` to the ray through `to`.
void PaintRingArc(HDC dc, FaceColor color, FacePoint from, FacePoint to) {
    HPEN pen = CreatePen(PS_SOLID, 4, ToColorRef(color));
    HGDIOBJ previous = SelectObject(dc, pen);
    Arc(dc, SecondsRingBox.left, SecondsRingBox.top, SecondsRingBox.right, SecondsRingBox.bottom,
        from.x, from.y, to.x, to.y);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

void PaintMinuteSector(HDC dc, const FaceModel& face) {
    HPEN pen = CreatePen(PS_NULL, 1, RGB(0, 0, 0));
    HBRUSH brush = CreateSolidBrush(ToColorRef(face.ringColor));
    HGDIOBJ previousPen = SelectObject(dc, pen);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    Pie(dc, MinuteDiskBox.left, MinuteDiskBox.top, MinuteDiskBox.right, MinuteDiskBox.bottom,
        face.minutePoint.x, face.minutePoint.y, MinuteDiskTop.x, MinuteDiskTop.y);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

HFONT CreateVerdana(int height, int width) {
    return CreateFontA(height, width, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Verdana");
}

void PaintText(HDC dc, HFONT font, FacePoint anchor, const std::string& text, bool alignRight) {
    HGDIOBJ previous = SelectObject(dc, font);
    if (alignRight) SetTextAlign(dc, TA_RIGHT);
    TextOutA(dc, anchor.x, anchor.y, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, previous);
    DeleteObject(font);
}

}  // namespace

void PaintTimerFace(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const FaceRect paintRect{paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right,
                             paint.rcPaint.bottom};
    const FaceModel face =
        BuildFaceModel(countdownState, paintRect, static_cast<std::int64_t>(std::time(nullptr)));

    SetTextColor(dc, ToColorRef(face.textColor));
    if (face.flash) PaintFlash(dc, face.paintRect);
    if (face.barVisible) PaintBar(dc, face);
    if (face.running) {
        // The pale arc is drawn last, so with both ends at the top the ring shows pale all round.
        PaintRingArc(dc, face.ringColor, face.secondsPoint, SecondsRingTop);
        PaintRingArc(dc, PaleRingColor, SecondsRingTop, face.secondsPoint);
    }
    if (face.sectorVisible) PaintMinuteSector(dc, face);

    SetBkMode(dc, TRANSPARENT);
    PaintText(dc, CreateVerdana(46, 28), TimeTextAnchor, face.timeText, true);
    PaintText(dc, CreateVerdana(12, 0), EndTimeTextAnchor, face.endTimeText, false);

    EndPaint(window, &paint);
}
