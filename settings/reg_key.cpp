#include "settings/reg_key.h"

RegKey::~RegKey() {
    if (handle_ != 0) platform::RegClose(handle_);
}

bool RegKey::Open(std::uint32_t root, const std::string& path) {
    return platform::RegOpen(platform::RootKey(root), path, &handle_) == platform::kErrorSuccess;
}

bool RegKey::Create(std::uint32_t root, const std::string& path) {
    return platform::RegCreate(platform::RootKey(root), path, &handle_) == platform::kErrorSuccess;
}
