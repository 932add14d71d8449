#include "settings/unsaved_settings.h"

#include "common/app_info.h"

std::string UnsavedSettingLine(const std::string& setting, const std::string& why) {
    return "\r\n" + setting + ": " + why;
}

void ReportUnsavedSettings(platform::Handle owner, const std::string& lines) {
    platform::ShowMessageBox(owner, "These settings were not saved:" + lines,
                             platform::kMbIconExclamation, AppTitle());
}
