#include <string>

#include "ui/main_window/frm_main.h"

std::string RunValueData(const std::string& executablePath) {
    const std::size_t slash = executablePath.find_last_of('\\');
    std::string folder = slash == std::string::npos ? "" : executablePath.substr(0, slash);
    const std::string fileName =
        slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    // A drive's root is named with its backslash ("C:\"), so a program there
    // gets two backslashes in a row, which Windows reads as one.
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    const std::size_t dot = fileName.find_last_of('.');
    const std::string baseName = dot == std::string::npos ? fileName : fileName.substr(0, dot);

    const std::string path = folder + "\\" + baseName + ".exe";
    // Unquoted, a path with a space lets Windows try its shorter prefixes at
    // logon: a program planted as C:\Program.exe would run in our place.
    if (path.find(' ') != std::string::npos) return "\"" + path + "\"";
    return path;
}
