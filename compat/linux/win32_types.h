// Base types, handles and macros of the Win32 stand-in, sized as on Windows (LONG and DWORD are
// 32-bit even where long is 64-bit).
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY
#define STDMETHODCALLTYPE

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef int BOOL;
typedef std::uint8_t BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef std::uint32_t ULONG;
typedef std::uint64_t ULONGLONG;
typedef unsigned int UINT;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef WORD ATOM;
typedef DWORD COLORREF;
typedef LONG HRESULT;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef void VOID;

// Distinct handle types, so that passing a pen where a window is expected does not compile.
#define OVENBELL_DECLARE_HANDLE(name) \
    struct name##__;                  \
    typedef name##__* name
OVENBELL_DECLARE_HANDLE(HWND);
OVENBELL_DECLARE_HANDLE(HINSTANCE);
OVENBELL_DECLARE_HANDLE(HICON);
OVENBELL_DECLARE_HANDLE(HCURSOR);
OVENBELL_DECLARE_HANDLE(HBRUSH);
OVENBELL_DECLARE_HANDLE(HPEN);
OVENBELL_DECLARE_HANDLE(HFONT);
OVENBELL_DECLARE_HANDLE(HDC);
OVENBELL_DECLARE_HANDLE(HMENU);
#undef OVENBELL_DECLARE_HANDLE
typedef HINSTANCE HMODULE;
typedef void* HGDIOBJ;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *LPPOINT;

#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define MAKELONG(a, b) ((LONG)(((DWORD)(WORD)(a)) | (((DWORD)(WORD)(b)) << 16)))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))

#define RGB(r, g, b) \
    ((COLORREF)(((DWORD)(BYTE)(r)) | (((DWORD)(BYTE)(g)) << 8) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))

#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
