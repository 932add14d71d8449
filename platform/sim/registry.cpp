// The advapi32 registry calls, with the results Windows NT gives for them.
//
// The simulated system's ANSI code page is single-byte, like Windows-1252, so
// the conversion to and from the UTF-16 that NT stores strings in maps each
// byte to one character and back. Values are therefore kept as the bytes the
// A functions see; what the conversion does show is modelled where it happens:
// RegSetValueExA counts a NUL that follows string data in the caller's buffer,
// and RegQueryValueExA appends a NUL to string data that lacks one when the
// buffer has room.
#include <algorithm>

#include "platform/platform.h"
#include "platform/sim/performance_internal.h"
#include "platform/sim/world.h"

namespace platform {
namespace {

using sim::detail::RegKey;
using sim::detail::TheWorld;

constexpr Status kErrorInvalidHandle = 6;
constexpr Status kErrorInvalidParameter = 87;
constexpr Status kErrorBadPathname = 161;
constexpr Status kErrorNoAccess = 998;
constexpr Status kErrorKeyDeleted = 1018;

struct ResolvedKey {
    Status status = kErrorSuccess;
    std::shared_ptr<RegKey> key;
};

// The key a predefined root or an open handle stands for.
ResolvedKey Resolve(Handle handle) {
    sim::detail::RegistryState& registry = TheWorld().registry;
    if (handle == RootKey(kHKeyCurrentUser)) {
        return {kErrorSuccess, registry.currentUser};
    }
    if (handle == RootKey(kHKeyLocalMachine)) {
        return {kErrorSuccess, registry.localMachine};
    }
    auto it = registry.openKeys.find(handle);
    if (it == registry.openKeys.end()) {
        return {kErrorInvalidHandle, nullptr};
    }
    if (it->second->deleted) {
        return {kErrorKeyDeleted, nullptr};
    }
    return {kErrorSuccess, it->second};
}

bool IsRoot(Handle handle) {
    return handle == RootKey(kHKeyCurrentUser) || handle == RootKey(kHKeyLocalMachine);
}

// The key's path below its root, in folded names.
std::string FoldedPath(const RegKey& key) {
    std::string path = key.foldedName;
    for (auto parent = key.parent.lock(); parent && !parent->parent.expired();
         parent = parent->parent.lock()) {
        path = parent->foldedName + "\\" + path;
    }
    return path;
}

// Whether writes at this path below the root, existing or not, are denied.
bool PathDenied(std::uint32_t root, const std::string& path) {
    const sim::detail::RegistryState& registry = TheWorld().registry;
    if (registry.deniedRoots.contains(root)) return true;
    return std::any_of(registry.deniedKeys.begin(), registry.deniedKeys.end(), [&](const auto& d) {
        return d.first == root && path.starts_with(d.second) &&
               (path.size() == d.second.size() || path[d.second.size()] == '\\');
    });
}

bool WritesDenied(const RegKey& key) {
    return PathDenied(key.root, FoldedPath(key));
}

Handle NewKeyHandle(std::shared_ptr<RegKey> key) {
    Handle handle = sim::detail::NewHandle();
    TheWorld().registry.openKeys.emplace(handle, std::move(key));
    return handle;
}

// A key path below a root or open handle: the key it starts from and its names.
struct KeyPath {
    Status status = kErrorSuccess;
    std::shared_ptr<RegKey> key;
    std::vector<std::string> names;
};

KeyPath ParsePath(Handle root, const std::string& subKey) {
    ResolvedKey from = Resolve(root);
    if (from.status != kErrorSuccess) {
        return {from.status, nullptr, {}};
    }
    std::optional<std::vector<std::string>> names = sim::detail::SplitKeyPath(subKey);
    if (!names) {
        return {kErrorBadPathname, nullptr, {}};
    }
    return {kErrorSuccess, std::move(from.key), std::move(*names)};
}

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// RegSetValueExA counts a terminating NUL the caller left out of the size when
// one follows the string in memory, so it peeks at the byte after the data just
// as Windows does.
std::uint32_t StoredStringLength(const std::uint8_t* data, std::uint32_t size) {
    if (size > 0 && data[size - 1] != 0 && data[size] == 0) {
        return size + 1;
    }
    return size;
}

}  // namespace

Status RegOpen(Handle root, const std::string& subKey, Handle* key) {
    if (key == nullptr) {
        return kErrorInvalidParameter;
    }
    // Windows hands back the very handle it was given, unchecked and uncounted.
    if (subKey.empty()) {
        *key = root;
        return kErrorSuccess;
    }
    *key = 0;
    KeyPath from = ParsePath(root, subKey);
    if (from.status != kErrorSuccess) {
        return from.status;
    }
    std::shared_ptr<RegKey> found = sim::detail::FindKey(from.key, from.names);
    if (!found) {
        return kErrorFileNotFound;
    }
    *key = NewKeyHandle(std::move(found));
    return kErrorSuccess;
}

Status RegCreate(Handle root, const std::string& subKey, Handle* key) {
    if (key == nullptr) {
        return kErrorInvalidParameter;
    }
    *key = 0;
    KeyPath from = ParsePath(root, subKey);
    if (from.status != kErrorSuccess) {
        return from.status;
    }
    // Without write access an existing key still opens (for reading); only
    // creating one is refused.
    std::string path = FoldedPath(*from.key);
    for (const std::string& name : from.names) path += (path.empty() ? "" : "\\") + name;
    if (!sim::detail::FindKey(from.key, from.names) && PathDenied(from.key->root, path)) {
        return kErrorAccessDenied;
    }
    *key = NewKeyHandle(sim::detail::CreateKey(from.key, from.names));
    return kErrorSuccess;
}

Status RegQuery(Handle key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                std::uint32_t* size) {
    if (data != nullptr && size == nullptr) {
        return kErrorInvalidParameter;
    }
    if (std::optional<Status> status =
            sim::detail::QueryDynamicKey(key, valueName, type, data, size)) {
        return *status;
    }
    ResolvedKey resolved = Resolve(key);
    if (resolved.status != kErrorSuccess) {
        return resolved.status;
    }
    auto it = resolved.key->values.find(sim::detail::FoldCase(valueName));
    if (it == resolved.key->values.end()) {
        return kErrorFileNotFound;
    }
    const sim::RegValue& value = it->second;
    const auto length = static_cast<std::uint32_t>(value.data.size());
    if (type != nullptr) {
        *type = value.type;
    }
    Status status = kErrorSuccess;
    if (data != nullptr) {
        if (length > *size) {
            status = kErrorMoreData;
        } else {
            std::copy(value.data.begin(), value.data.end(), data);
            if (IsStringType(value.type) && length > 0 && length < *size &&
                value.data.back() != 0) {
                data[length] = 0;
            }
        }
    }
    if (size != nullptr) {
        *size = length;
    }
    return status;
}

Status RegSet(Handle key, const std::string& valueName, std::uint32_t type,
              const std::uint8_t* data, std::uint32_t size) {
    if (data == nullptr && size > 0) {
        return kErrorNoAccess;
    }
    ResolvedKey resolved = Resolve(key);
    if (resolved.status != kErrorSuccess) {
        return resolved.status;
    }
    if (WritesDenied(*resolved.key)) {
        return kErrorAccessDenied;
    }
    const std::uint32_t length = IsStringType(type) ? StoredStringLength(data, size) : size;
    sim::RegValue& value = resolved.key->values[sim::detail::FoldCase(valueName)];
    value.type = type;
    value.data.assign(data, data + length);
    return kErrorSuccess;
}

Status RegSetWideString(Handle key, const std::string& valueName, const std::u16string& text) {
    if (!sim::detail::HasWideCalls()) {
        return kErrorCallNotImplemented;
    }
    std::vector<std::uint8_t> ansi;
    for (const char16_t c : text) {
        ansi.push_back(c < 0x80 ? static_cast<std::uint8_t>(c) : '?');
    }
    ansi.push_back(0);
    const Status status =
        RegSet(key, valueName, kRegSz, ansi.data(), static_cast<std::uint32_t>(ansi.size()));
    if (status == kErrorSuccess) {
        Resolve(key).key->values[sim::detail::FoldCase(valueName)].wideText = text;
    }
    return status;
}

Status RegDeleteSubKey(Handle root, const std::string& subKey) {
    KeyPath from = ParsePath(root, subKey);
    if (from.status != kErrorSuccess) {
        return from.status;
    }
    std::shared_ptr<RegKey> target = sim::detail::FindKey(from.key, from.names);
    if (!target) {
        return kErrorFileNotFound;
    }
    // NT deletes only keys without subkeys, and never a root.
    if (target->parent.expired() || !target->subkeys.empty() || WritesDenied(*target)) {
        return kErrorAccessDenied;
    }
    sim::detail::DeleteKey(target);
    return kErrorSuccess;
}

Status RegDeleteNamedValue(Handle key, const std::string& valueName) {
    ResolvedKey resolved = Resolve(key);
    if (resolved.status != kErrorSuccess) {
        return resolved.status;
    }
    if (WritesDenied(*resolved.key)) {
        return kErrorAccessDenied;
    }
    if (resolved.key->values.erase(sim::detail::FoldCase(valueName)) == 0) {
        return kErrorFileNotFound;
    }
    return kErrorSuccess;
}

Status RegClose(Handle key) {
    if (IsRoot(key)) {
        return kErrorSuccess;
    }
    if (std::optional<Status> status = sim::detail::CloseDynamicKey(key)) {
        return *status;
    }
    if (TheWorld().registry.openKeys.erase(key) == 0) {
        return kErrorInvalidHandle;
    }
    return kErrorSuccess;
}

}  // namespace platform

namespace sim::detail {

bool KeyDeniesWrites(platform::Handle key) {
    const auto resolved = platform::Resolve(key);
    return resolved.key != nullptr && platform::WritesDenied(*resolved.key);
}

}  // namespace sim::detail
