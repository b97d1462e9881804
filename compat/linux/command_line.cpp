// The command-line text a Windows program receives, rebuilt from the arguments of main().
#include "command_line.h"

namespace standin {

namespace {

std::string Quote(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    // Backslashes double only where a quotation mark follows them.
    std::string quoted = "\"";
    int backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            quoted.append(static_cast<std::size_t>(backslashes * 2 + 1), '\\');
        } else {
            quoted.append(static_cast<std::size_t>(backslashes), '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(static_cast<std::size_t>(backslashes * 2), '\\');
    return quoted + "\"";
}

}  // namespace

std::string CommandLineTail(int argc, const char* const* argv) {
    std::string tail;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) tail += ' ';
        tail += Quote(argv[i]);
    }
    return tail;
}

}  // namespace standin
