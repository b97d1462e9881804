// The record of the Win32 calls the program makes, and the labels its handles print as.
#include "trace.h"

#include <cstdio>
#include <map>
#include <set>

namespace standin::trace {

namespace {

struct TraceState {
    bool enabled = false;
    bool echo = false;
    std::vector<std::string> entries;
    std::map<const void*, std::string> labels;
    std::map<const void*, std::pair<std::string, int>> numbered;
};

TraceState& State() {
    static TraceState state;
    return state;
}

}  // namespace

bool Enabled() {
    return State().enabled;
}
void Enable(bool on) {
    State().enabled = on;
}
void Echo(bool on) {
    State().echo = on;
}

std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(State().entries);
    return taken;
}

void Clear() {
    State().entries.clear();
}

void AssignLabel(const void* handle, const std::string& kind) {
    // Labels are for the trace alone: without it, a frame's objects cost no bookkeeping.
    if (!Enabled()) return;
    std::set<int> used;
    for (const auto& [other, entry] : State().numbered) {
        if (entry.first == kind) used.insert(entry.second);
    }
    int number = 1;
    while (used.count(number) != 0) ++number;
    State().numbered[handle] = {kind, number};
    State().labels[handle] = kind + std::to_string(number);
}

void AssignFixedLabel(const void* handle, const std::string& label) {
    if (!Enabled()) return;
    State().numbered.erase(handle);
    State().labels[handle] = label;
}

void DropLabel(const void* handle) {
    if (State().labels.empty()) return;
    State().labels.erase(handle);
    State().numbered.erase(handle);
}

std::string Label(const void* handle) {
    if (handle == nullptr) return "null";
    const auto found = State().labels.find(handle);
    if (found != State().labels.end()) return found->second;
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    // Resource ordinals travel as small integers in pointer clothing.
    if (value < 0x10000) return std::string("#") + std::to_string(value);
    char text[32];
    std::snprintf(text, sizeof(text), "0x%zx", static_cast<std::size_t>(value));
    return text;
}

std::string Quoted(const char* text, int length) {
    if (!Enabled()) return {};
    if (text == nullptr) return "null";
    const auto value = reinterpret_cast<std::uintptr_t>(text);
    if (value < 0x10000) return std::string("#") + std::to_string(value);
    std::string quoted = "\"";
    for (int i = 0; length < 0 ? text[i] != '\0' : i < length; ++i) {
        if (text[i] == '"' || text[i] == '\\') quoted += '\\';
        quoted += text[i];
    }
    return quoted + "\"";
}

std::string Color(COLORREF color) {
    if (!Enabled()) return {};
    return std::string("RGB(") + std::to_string(GetRValue(color)) + "," +
           std::to_string(GetGValue(color)) + "," + std::to_string(GetBValue(color)) + ")";
}

std::string MessageName(UINT message) {
    if (!Enabled()) return {};
    static const std::map<UINT, const char*> names = {
        {WM_NULL, "WM_NULL"},
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_QUIT, "WM_QUIT"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
        {WM_SYSKEYUP, "WM_SYSKEYUP"},
        {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
        {WM_TIMER, "WM_TIMER"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
        {WM_MBUTTONUP, "WM_MBUTTONUP"},
        {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
    };
    const auto found = names.find(message);
    if (found != names.end()) return found->second;
    char text[16];
    std::snprintf(text, sizeof(text), "0x%04X", message);
    return text;
}

std::size_t Record(std::string entry) {
    if (State().echo) std::fprintf(stderr, "%s\n", entry.c_str());
    State().entries.push_back(std::move(entry));
    return State().entries.size() - 1;
}

void SetResult(std::size_t slot, const std::string& result) {
    auto& entries = State().entries;
    if (slot < entries.size()) entries[slot] += "=";
    entries[slot] += result;
}

}  // namespace standin::trace
