// Test-side access to the simulated registry: it bypasses handles and access
// rights, the way a test sets up a machine before the program runs.
#include <stdexcept>

#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace sim {
namespace {

using detail::RegKey;

const std::shared_ptr<RegKey>& RootNode(std::uint32_t root) {
    detail::RegistryState& registry = detail::TheWorld().registry;
    if (root == platform::kHKeyCurrentUser) {
        return registry.currentUser;
    }
    if (root == platform::kHKeyLocalMachine) {
        return registry.localMachine;
    }
    throw std::invalid_argument("the simulated registry has no root " + std::to_string(root));
}

std::vector<std::string> KeyNames(const std::string& path) {
    std::optional<std::vector<std::string>> names = detail::SplitKeyPath(path);
    if (!names) {
        throw std::invalid_argument("not a relative key path: " + path);
    }
    return *names;
}

}  // namespace

void RegPutKey(std::uint32_t root, const std::string& path) {
    detail::CreateKey(RootNode(root), KeyNames(path));
}

void RegPutValue(std::uint32_t root, const std::string& path, const std::string& name,
                 std::uint32_t type, const std::vector<std::uint8_t>& data) {
    std::shared_ptr<RegKey> key = detail::CreateKey(RootNode(root), KeyNames(path));
    key->values[detail::FoldCase(name)] = RegValue{type, data, {}};
}

void RegPutString(std::uint32_t root, const std::string& path, const std::string& name,
                  const std::string& text) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    RegPutValue(root, path, name, platform::kRegSz, data);
}

void RegPutDword(std::uint32_t root, const std::string& path, const std::string& name,
                 std::uint32_t value) {
    RegPutValue(root, path, name, platform::kRegDword,
                {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                 static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void RegRemoveValue(std::uint32_t root, const std::string& path, const std::string& name) {
    if (std::shared_ptr<RegKey> key = detail::FindKey(RootNode(root), KeyNames(path))) {
        key->values.erase(detail::FoldCase(name));
    }
}

bool RegKeyExists(std::uint32_t root, const std::string& path) {
    return detail::FindKey(RootNode(root), KeyNames(path)) != nullptr;
}

std::optional<RegValue> RegGetValue(std::uint32_t root, const std::string& path,
                                    const std::string& name) {
    std::shared_ptr<RegKey> key = detail::FindKey(RootNode(root), KeyNames(path));
    if (!key) {
        return std::nullopt;
    }
    auto it = key->values.find(detail::FoldCase(name));
    if (it == key->values.end()) {
        return std::nullopt;
    }
    return it->second;
}

int RegOpenHandleCount() {
    return static_cast<int>(detail::TheWorld().registry.openKeys.size());
}

void RegDenyWrites(std::uint32_t root, const std::string& path, bool deny) {
    RootNode(root);
    std::string folded;
    for (const std::string& name : KeyNames(path)) {
        folded += (folded.empty() ? "" : "\\") + name;  // folded already
    }
    auto& denied = detail::TheWorld().registry.deniedKeys;
    if (deny) {
        denied.emplace(root, folded);
    } else {
        denied.erase({root, folded});
    }
}

void RegDenyWrites(std::uint32_t root, bool deny) {
    RootNode(root);  // rejects a root the simulation does not have
    if (deny) {
        detail::TheWorld().registry.deniedRoots.insert(root);
    } else {
        detail::TheWorld().registry.deniedRoots.erase(root);
    }
}

}  // namespace sim
