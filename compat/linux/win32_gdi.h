// GDI32 of the Win32 stand-in: pens, brushes, fonts, and the drawing calls of the timer face.
#pragma once

#include "win32_types.h"

#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_NULL 5

#define TRANSPARENT 1
#define OPAQUE 2

#define TA_NOUPDATECP 0
#define TA_UPDATECP 1
#define TA_LEFT 0
#define TA_RIGHT 2
#define TA_CENTER 6
#define TA_TOP 0
#define TA_BOTTOM 8
#define TA_BASELINE 24

#define FW_DONTCARE 0
#define FW_NORMAL 400
#define FW_BOLD 700
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define NONANTIALIASED_QUALITY 3
#define ANTIALIASED_QUALITY 4
#define CLEARTYPE_QUALITY 5
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_ROMAN 0x10
#define FF_SWISS 0x20
#define FF_MODERN 0x30

HBRUSH WINAPI CreateSolidBrush(COLORREF color);
HPEN WINAPI CreatePen(int style, int width, COLORREF color);
HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                         DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                         DWORD pitchAndFamily, LPCSTR faceName);
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
BOOL WINAPI DeleteObject(HGDIOBJ object);

BOOL WINAPI Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL WINAPI MoveToEx(HDC dc, int x, int y, LPPOINT previous);
BOOL WINAPI LineTo(HDC dc, int x, int y);
BOOL WINAPI Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                int yEnd);
BOOL WINAPI Pie(HDC dc, int left, int top, int right, int bottom, int xFirst, int yFirst,
                int xSecond, int ySecond);

int WINAPI SetBkMode(HDC dc, int mode);
UINT WINAPI SetTextAlign(HDC dc, UINT align);
COLORREF WINAPI SetTextColor(HDC dc, COLORREF color);
BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
