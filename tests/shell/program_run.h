// Running the program's own WinMain on the headless stand-in, from a fresh process-wide state,
// with helpers to pick calls out of the trace.
#pragma once

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "countdown.h"
#include "input_rules.h"
#include "linux/headless.h"
#include "taskbar_progress.h"
#include "timer_window.h"
#include "win32.h"

namespace program_run {

using Trace = std::vector<std::string>;

// The stand-in and the program's process-wide values as at process start.
inline void Reset(const headless::Options& options = {}) {
    // The program keeps its taskbar object for the whole process; a fresh run gives it back.
    if (taskbarProgress.taskbarList != nullptr) taskbarProgress.taskbarList->Release();
    headless::Reset(options);
    countdownState = CountdownState{};
    pointerDragState = PointerDragState{};
    taskbarButtonCreatedMessage = 0xFFFFFFFF;
    taskbarProgress.taskbarList = nullptr;
}

// Runs WinMain with the command-line text until its loop ends; the script (headless::At) must
// end it, normally by closing the window.
inline int Run(const std::string& commandLine) {
    std::string text = commandLine;
    return WinMain(GetModuleHandleA(nullptr), nullptr, text.data(), SW_SHOWDEFAULT);
}

inline bool StartsWith(const std::string& entry, const std::string& prefix) {
    return entry.compare(0, prefix.size(), prefix) == 0;
}

inline std::ptrdiff_t Count(const Trace& trace, const std::string& prefix) {
    return std::count_if(trace.begin(), trace.end(),
                         [&](const std::string& entry) { return StartsWith(entry, prefix); });
}

inline std::ptrdiff_t IndexOf(const Trace& trace, const std::string& prefix, std::size_t from = 0) {
    for (std::size_t i = from; i < trace.size(); ++i) {
        if (StartsWith(trace[i], prefix)) return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

// The calls of each paint, from BeginPaint to EndPaint inclusive.
inline std::vector<Trace> Paints(const Trace& trace) {
    std::vector<Trace> paints;
    for (std::size_t i = 0; i < trace.size(); ++i) {
        if (!StartsWith(trace[i], "BeginPaint(hwnd)")) continue;
        Trace paint;
        for (std::size_t j = i; j < trace.size(); ++j) {
            paint.push_back(trace[j]);
            if (StartsWith(trace[j], "EndPaint(hwnd)")) break;
        }
        paints.push_back(paint);
    }
    return paints;
}

// Entries of the trace that are not the message loop's own calls.
inline Trace WithoutLoop(const Trace& trace) {
    Trace kept;
    for (const std::string& entry : trace) {
        if (!StartsWith(entry, "GetMessageA(") && !StartsWith(entry, "TranslateMessage(") &&
            !StartsWith(entry, "DispatchMessageA(")) {
            kept.push_back(entry);
        }
    }
    return kept;
}

}  // namespace program_run
