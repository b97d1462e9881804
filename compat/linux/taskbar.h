// Where the taskbar object would come from. The desktop offers none, so by default its creation
// fails; headless tests can hand out recording objects instead.
#pragma once

#include "win32_api.h"

namespace standin {

using TaskbarFactory = ITaskbarList3* (*)();
void SetTaskbarFactory(TaskbarFactory factory);

}  // namespace standin
