// The real display: X11 windows showing the client areas' pixels, and native input turned into
// messages.
#pragma once

#include <string>

#include "host.h"

namespace standin {

// Null, with the reason in `error`, when there is no display to open windows on.
Host* OpenDisplayHost(std::string& error);
void CloseDisplayHost();

}  // namespace standin
