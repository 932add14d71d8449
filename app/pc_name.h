// The computer's name.
#pragma once

#include <string>

// The computer name, or "" when it cannot be read.
std::string GetPCName();
