// The process entry of the Linux build: opens the display, builds the command-line text from the
// arguments and runs the program's WinMain, whose result is the exit code.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "command_line.h"
#include "host.h"
#include "sound.h"
#include "trace.h"
#include "win32_api.h"
#include "x11_host.h"

int main(int argc, char** argv) {
    std::string error;
    standin::Host* host = standin::OpenDisplayHost(error);
    if (host == nullptr) {
        std::fprintf(stderr,
                     "ovenbell: there is no display to show the timer on (%s).\n"
                     "Run it in a desktop session, or in a virtual one, e.g. xvfb-run ovenbell.\n",
                     error.c_str());
        return 1;
    }
    standin::SetHost(host);
    if (std::getenv("OVENBELL_TRACE") != nullptr) {
        standin::trace::Enable(true);
        standin::trace::Echo(true);
    }
    // The zone is read once, as the platform's C runtime does. Without TZ, glibc looks at
    // /etc/localtime again at every conversion, which is a file-system lookup every second.
    setenv("TZ", ":/etc/localtime", 0);
    std::string commandLine = standin::CommandLineTail(argc, argv);
    const int exitCode =
        WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
    standin::sound::Finish();
    standin::CloseDisplayHost();
    return exitCode;
}
