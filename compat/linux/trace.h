// The record of the Win32 calls the program makes, names and arguments in call order, kept while
// headless tests ask for it. Handles print as short labels ("hwnd", "dc", "pen1").
#pragma once

#include <cstddef>
#include <string>
#include <type_traits>
#include <vector>

#include "win32_api.h"

namespace standin::trace {

bool Enabled();
void Enable(bool on);
// Also writes each entry to standard error as it is made (for looking at a live program).
void Echo(bool on);
std::vector<std::string> Take();
void Clear();

// Labels are given while tracing is on and live as long as their handle; the number is the
// smallest one free among live handles of the same kind, so a frame's objects read the same in
// every paint.
void AssignLabel(const void* handle, const std::string& kind);
void AssignFixedLabel(const void* handle, const std::string& label);
void DropLabel(const void* handle);
std::string Label(const void* handle);

// Arguments are formatted before the call that would record them, so these give an empty
// text while tracing is off rather than spend time on every call.
std::string Quoted(const char* text, int length = -1);
std::string Color(COLORREF color);
std::string MessageName(UINT message);

inline std::string Arg(const std::string& text) {
    return text;
}
inline std::string Arg(const char* text) {
    return Quoted(text);
}
template <typename T>
requires std::is_integral_v<T> || std::is_enum_v<T> std::string Arg(T value) {
    if constexpr (std::is_enum_v<T>) {
        return std::to_string(static_cast<std::underlying_type_t<T>>(value));
    } else if constexpr (std::is_same_v<T, bool>) {
        return value ? "1" : "0";
    } else {
        return std::to_string(value);
    }
}
template <typename T>
std::string Arg(T* handle) {
    return Label(handle);
}
inline std::string Arg(std::nullptr_t) {
    return "null";
}

// Records "name(a,b,...)" and returns its slot, so that a result can be added after nested calls.
std::size_t Record(std::string entry);
void SetResult(std::size_t slot, const std::string& result);

template <typename... Args>
std::size_t Call(const char* name, const Args&... args) {
    if (!Enabled()) return 0;
    std::string entry = name;
    entry += '(';
    [[maybe_unused]] auto append = [&entry, first = true](const std::string& arg) mutable {
        if (!first) entry += ',';
        entry += arg;
        first = false;
    };
    (append(Arg(args)), ...);
    entry += ')';
    return Record(std::move(entry));
}

template <typename T>
T Result(std::size_t slot, T handle) {
    if (Enabled()) SetResult(slot, Label(handle));
    return handle;
}

}  // namespace standin::trace
