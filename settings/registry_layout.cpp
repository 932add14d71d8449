#include "settings/registry_layout.h"

#include "common/app_info.h"

std::string SettingsKey() {
    return "Software\\" + AppTitle() + "\\Settings";
}

std::string ProductKey() {
    return "Software\\" + AppTitle();
}

std::string RunKey() {
    return std::string("Software\\") + "Microsoft\\Windows\\CurrentVersion\\Run";
}
