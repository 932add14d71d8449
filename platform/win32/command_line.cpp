#include "platform/win32/command_line.h"

namespace platform::win32 {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::string_view ArgumentsAfterProgramPath(std::string_view commandLine) {
    std::size_t position = 0;
    bool inQuotes = false;
    for (; position < commandLine.size(); ++position) {
        const char c = commandLine[position];
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && IsBlank(c)) {
            break;
        }
    }
    while (position < commandLine.size() && IsBlank(commandLine[position])) ++position;
    return commandLine.substr(position);
}

}  // namespace platform::win32
