// The real display: SDL2 windows with software surfaces, and native input turned into messages.
#pragma once

#include <string>

#include "host.h"

namespace standin {

// Null, with the reason in `error`, when there is no display to open windows on.
Host* OpenDisplayHost(std::string& error);
void CloseDisplayHost();

}  // namespace standin
