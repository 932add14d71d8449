// The "record" command: registered in a test's prefix in place of a program
// that others start (the browser the shell opens a link with), it writes down
// what it was started with, so that the test can compare it. A copy of the
// probe named after a program that Orbiquell starts by name does the same as
// that program's stand-in: Windows looks in the starting program's own folder
// first.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "commands.h"
#include "window_access.h"

namespace probe {

int CommandRecord(const char* file, int count, char** arguments) {
    // One line per start, the arguments separated by tabs; it is written with
    // a single write at the end, so a script polling the file never sees half.
    std::string line;
    for (int i = 0; i < count; ++i) {
        if (i > 0) line += '\t';
        line += Utf8(Wide(arguments[i]));
    }
    line += '\n';
    std::ofstream out(std::filesystem::path(Wide(file)), std::ios::binary | std::ios::app);
    out << line;
    out.close();
    return out ? 0 : 1;
}

bool StandsInFor(const wchar_t* program) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return _wcsicmp(std::filesystem::path(path).filename().c_str(), program) == 0;
}

int CommandStandIn(int count, char** arguments) {
    // Beside the copy: the test reads it from its own directory.
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::filesystem::path log = std::filesystem::path(path).parent_path() / L"started.txt";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    std::string show = "show=" + std::to_string(startup.wShowWindow);
    std::vector<char*> fields{show.data()};
    fields.insert(fields.end(), arguments, arguments + count);
    return CommandRecord(Utf8(log.wstring()).c_str(), static_cast<int>(fields.size()),
                         fields.data());
}

}  // namespace probe
