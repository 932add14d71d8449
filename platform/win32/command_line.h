// Splitting the program's own path off a Windows command line.
#pragma once

#include <string_view>

namespace platform::win32 {

// What follows the program path in a command line, without the blanks that
// separate the two. The path ends at the first blank outside double quotes,
// the rule the C runtime applies when it hands WinMain its lpCmdLine; quotes
// are not removed from the rest.
std::string_view ArgumentsAfterProgramPath(std::string_view commandLine);

}  // namespace platform::win32
