// The holder of the shell's taskbar object, through which the button shows the progress.
#include "taskbar_progress.h"

TaskbarProgress taskbarProgress;

void CreateTaskbarProgress() {
    // The object cannot be created on a thread whose component library is not initialised.
    static bool componentLibraryReady = false;
    if (!componentLibraryReady) {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        componentLibraryReady = true;
    }
    ITaskbarList3* previous = taskbarProgress.taskbarList;
    taskbarProgress.taskbarList = nullptr;
    const HRESULT created =
        CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                         reinterpret_cast<void**>(&taskbarProgress.taskbarList));
    if (FAILED(created)) taskbarProgress.taskbarList = nullptr;
    // The replaced object is no longer reachable: give its reference back.
    if (previous != nullptr) previous->Release();
    // Kept whatever HrInit says: the progress calls simply go to it.
    if (taskbarProgress.taskbarList != nullptr) taskbarProgress.taskbarList->HrInit();
}
