// How the user hears of settings that Windows refused to store: one message
// naming each, so that no refusal passes in silence.
#pragma once

#include <string>

#include "platform/platform.h"

// The names under which the message lists the settings.
inline const char* const kHotCornersSetting = "Enable Hot Corners";
inline const char* const kRefusedToStore = "Windows refused to store it";

// One line of the message: "\r\n" setting ": " why.
std::string UnsavedSettingLine(const std::string& setting, const std::string& why);
// The message box, modal to owner (0: none), for the lines given.
void ReportUnsavedSettings(platform::Handle owner, const std::string& lines);
