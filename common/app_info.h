// The program's name and version as the rest of the program uses them.
#pragma once

#include <string>

// The application title names the settings key, the Run values, the message
// boxes' caption and the first tray tip.
const std::string& AppTitle();

constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 5;
constexpr int kVersionRevision = 0;
