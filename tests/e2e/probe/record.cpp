// The "record" command: registered in a test's prefix in place of a program
// that others start (the browser the shell opens a link with), it writes down
// what it was started with, so that the test can compare it.
#include <filesystem>
#include <fstream>
#include <string>

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

}  // namespace probe
