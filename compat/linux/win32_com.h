// The component-library calls and the shell's taskbar interface of the Win32 stand-in. No desktop
// here offers the taskbar object, so its creation fails and the program runs without it.
#pragma once

#include "win32_types.h"

typedef struct _GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
} GUID;
typedef GUID IID;
typedef GUID CLSID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define E_POINTER ((HRESULT)0x80004003L)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154L)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

#define CLSCTX_INPROC_SERVER 0x1
#define COINIT_APARTMENTTHREADED 0x2

struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;
};
typedef IUnknown* LPUNKNOWN;

typedef enum TBPFLAG {
    TBPF_NOPROGRESS = 0x0,
    TBPF_INDETERMINATE = 0x1,
    TBPF_NORMAL = 0x2,
    TBPF_ERROR = 0x4,
    TBPF_PAUSED = 0x8
} TBPFLAG;

// The platform's vtable order; the program calls HrInit, SetProgressValue and SetProgressState.
struct ITaskbarList : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE HrInit() = 0;
    virtual HRESULT STDMETHODCALLTYPE AddTab(HWND window) = 0;
    virtual HRESULT STDMETHODCALLTYPE DeleteTab(HWND window) = 0;
    virtual HRESULT STDMETHODCALLTYPE ActivateTab(HWND window) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetActiveAlt(HWND window) = 0;
};
struct ITaskbarList2 : public ITaskbarList {
    virtual HRESULT STDMETHODCALLTYPE MarkFullscreenWindow(HWND window, BOOL fullscreen) = 0;
};
struct ITaskbarList3 : public ITaskbarList2 {
    virtual HRESULT STDMETHODCALLTYPE SetProgressValue(HWND window, ULONGLONG completed,
                                                       ULONGLONG total) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetProgressState(HWND window, TBPFLAG flags) = 0;
};

extern const CLSID CLSID_TaskbarList;
extern const IID IID_ITaskbarList3;

HRESULT WINAPI CoInitializeEx(LPVOID reserved, DWORD coInit);
HRESULT WINAPI CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context,
                                REFIID interfaceId, LPVOID* object);
