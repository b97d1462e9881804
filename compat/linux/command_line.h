// The command-line text a Windows program receives, rebuilt from the arguments of main().
#pragma once

#include <string>

namespace standin {

// The arguments after the program's name, joined by blanks; an argument that is empty or holds a
// blank, tab or quotation mark is quoted the way the platform's parser reads it back.
std::string CommandLineTail(int argc, const char* const* argv);

}  // namespace standin
