#include <string>

#include "ui/main_window/frm_main.h"

namespace {

template <typename Text>
Text RunData(const Text& executablePath) {
    using Char = typename Text::value_type;
    const std::size_t slash = executablePath.find_last_of(Char('\\'));
    Text folder = slash == Text::npos ? Text() : executablePath.substr(0, slash);
    const Text fileName = slash == Text::npos ? executablePath : executablePath.substr(slash + 1);
    // A drive's root is named with its backslash ("C:\"), so a program there
    // gets two backslashes in a row, which Windows reads as one.
    if (folder.size() == 2 && folder[1] == Char(':')) folder += Char('\\');
    const std::size_t dot = fileName.find_last_of(Char('.'));
    const Text baseName = dot == Text::npos ? fileName : fileName.substr(0, dot);

    const Text path =
        folder + Char('\\') + baseName + Text{Char('.'), Char('e'), Char('x'), Char('e')};
    // Unquoted, a path with a space lets Windows try its shorter prefixes at
    // logon: a program planted as C:\Program.exe would run in our place.
    if (path.find(Char(' ')) != Text::npos) return Char('"') + path + Char('"');
    return path;
}

}  // namespace

std::string RunValueData(const std::string& executablePath) {
    return RunData(executablePath);
}

std::u16string RunValueData(const std::u16string& executablePath) {
    return RunData(executablePath);
}
