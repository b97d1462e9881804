// KERNEL32, WINMM and the component library of the stand-in: the module handle, the tone call,
// the tick source and the taskbar object's creation.
#include <cstring>
#include <string>

#include "faults.h"
#include "host.h"
#include "sound.h"
#include "taskbar.h"
#include "trace.h"
#include "win32_api.h"
#include "window_system.h"

using namespace standin;

const CLSID CLSID_TaskbarList = {
    0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
const IID IID_ITaskbarList3 = {
    0xEA1AFB91, 0x9E28, 0x4B86, {0x90, 0xE9, 0x9E, 0x9F, 0x8A, 0x5E, 0xEF, 0xAF}};

namespace {

TaskbarFactory taskbarFactory = nullptr;
bool componentLibraryReady = false;

bool SameGuid(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

// The image base a 32-bit executable loads at; any fixed non-null value serves.
HMODULE ModuleHandle() {
    static const HMODULE module = [] {
        const auto handle = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x400000));
        trace::AssignFixedLabel(handle, "module");
        return handle;
    }();
    return module;
}

}  // namespace

namespace standin {

void SetTaskbarFactory(TaskbarFactory factory) {
    taskbarFactory = factory;
}

}  // namespace standin

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    trace::Call("GetModuleHandleA", moduleName);
    return moduleName == nullptr ? ModuleHandle() : nullptr;
}

BOOL WINAPI Beep(DWORD frequency, DWORD duration) {
    trace::Call("Beep", frequency, duration);
    // The platform's range; outside it the call fails without a sound.
    if (frequency < 37 || frequency > 32767) return FALSE;
    sound::QueueTone(frequency, duration);
    // The call returns when the tone has ended.
    CurrentHost().Sleep(duration);
    return TRUE;
}

DWORD WINAPI timeGetTime() {
    return TickCount();
}

HRESULT WINAPI CoInitializeEx(LPVOID reserved, DWORD coInit) {
    trace::Call("CoInitializeEx", reserved, coInit);
    if (componentLibraryReady) return S_FALSE;
    componentLibraryReady = true;
    return S_OK;
}

HRESULT WINAPI CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context,
                                REFIID interfaceId, LPVOID* object) {
    trace::Call("CoCreateInstance",
                std::string(SameGuid(classId, CLSID_TaskbarList) ? "CLSID_TaskbarList" : "?"),
                outer, context,
                std::string(SameGuid(interfaceId, IID_ITaskbarList3) ? "IID_ITaskbarList3" : "?"));
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!SameGuid(classId, CLSID_TaskbarList) || taskbarFactory == nullptr ||
        ShouldFail("CoCreateInstance")) {
        return REGDB_E_CLASSNOTREG;
    }
    if (!SameGuid(interfaceId, IID_ITaskbarList3)) return E_NOINTERFACE;
    *object = taskbarFactory();
    return S_OK;
}
