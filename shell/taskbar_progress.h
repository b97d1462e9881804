// The holder of the shell's taskbar object, through which the button shows the progress.
#pragma once

#include "win32.h"

struct TaskbarProgress {
    ITaskbarList3* taskbarList = nullptr;
    bool Holds() const { return taskbarList != nullptr; }
};

extern TaskbarProgress taskbarProgress;

// Creates a fresh taskbar object in the holder (or leaves it empty when the shell offers none).
void CreateTaskbarProgress();
