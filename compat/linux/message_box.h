// The stand-in's message box: a small window of its own with the text and an OK button, shown
// in a nested loop that keeps dispatching every other window's messages.
#pragma once

#include <string>
#include <vector>

#include "win32_api.h"

namespace standin {

int RunMessageBox(const char* text, const char* caption, UINT type);

struct OpenBox {
    HWND window = nullptr;
    std::string text;
    std::string caption;
    UINT type = 0;
};
// The boxes now open, the first opened first.
std::vector<OpenBox> OpenMessageBoxes();

}  // namespace standin
