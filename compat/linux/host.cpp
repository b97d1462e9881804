// Which host the window system talks to: the one a test installed, or else the real display.
#include "host.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "x11_host.h"

namespace standin {

namespace {

Host* current = nullptr;

}  // namespace

Host& CurrentHost() {
    if (current == nullptr) {
        std::string error;
        current = OpenDisplayHost(error);
        if (current == nullptr) {
            std::fprintf(stderr, "ovenbell: no display to open a window on (%s)\n", error.c_str());
            std::exit(1);
        }
    }
    return *current;
}

void SetHost(Host* host) {
    current = host;
}

}  // namespace standin
