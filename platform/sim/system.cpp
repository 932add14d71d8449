// The machine's identity and this process's start-up facts.
#include <cstring>

#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

sim::detail::SystemState& System() {
    return sim::detail::TheWorld().system;
}

}  // namespace

namespace sim::detail {

bool HasWideCalls() {
    return System().osVersion && System().osVersion->platformId >= platform::kVerPlatformWin32Nt;
}

}  // namespace sim::detail

namespace platform {

bool QueryOsVersion(OsVersion* version) {
    if (version == nullptr || !System().osVersion) {
        return false;
    }
    *version = *System().osVersion;
    return true;
}

int QueryComputerName(char* buffer, std::uint32_t* size) {
    const std::optional<std::string>& name = System().computerName;
    if (buffer == nullptr || size == nullptr || !name) {
        return 0;
    }
    // Like GetComputerNameA: a buffer without room for the terminator is left
    // alone and the size becomes what is needed, terminator included.
    const auto length = static_cast<std::uint32_t>(name->size());
    if (*size < length + 1) {
        *size = length + 1;
        return 0;
    }
    std::memcpy(buffer, name->c_str(), length + 1);
    *size = length;
    return 1;
}

bool IsPreviousInstanceRunning() {
    return System().previousInstance;
}

std::string CommandLineArguments() {
    return System().commandLine;
}

}  // namespace platform

namespace sim {

void SetOsVersion(std::optional<platform::OsVersion> version) {
    System().osVersion = version;
}

void SetComputerName(std::optional<std::string> name) {
    System().computerName = std::move(name);
}

void SetPreviousInstance(bool running) {
    System().previousInstance = running;
}

void SetCommandLine(const std::string& arguments) {
    System().commandLine = arguments;
}

}  // namespace sim
