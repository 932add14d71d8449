// The simulated registry's keys and the NT rules for naming them.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/sim.h"

namespace sim::detail {

struct RegKey {
    std::uint32_t root = 0;        // the predefined root the key lives under
    std::string foldedName;        // its name in its parent's map
    std::weak_ptr<RegKey> parent;  // empty for a root
    // A deleted key stays alive while handles to it are open; they then fail
    // with ERROR_KEY_DELETED.
    bool deleted = false;
    std::map<std::string, std::shared_ptr<RegKey>> subkeys;  // by folded name
    std::map<std::string, RegValue> values;                  // by folded name
};

std::shared_ptr<RegKey> MakeRootKey(std::uint32_t root);

// Key and value names compare without regard to case. Only ASCII letters are
// folded: the program's names are all ASCII.
std::string FoldCase(std::string_view name);

// The key names of a relative path. Like NT, separators in a row or at the end
// are passed over, while a path that starts with one is refused (nullopt).
std::optional<std::vector<std::string>> SplitKeyPath(std::string_view path);

// The key at names below from, or null when one on the way is missing.
std::shared_ptr<RegKey> FindKey(const std::shared_ptr<RegKey>& from,
                                const std::vector<std::string>& names);

// The key at names below from, creating every missing key on the way.
std::shared_ptr<RegKey> CreateKey(const std::shared_ptr<RegKey>& from,
                                  const std::vector<std::string>& names);

// Unlinks a key from its parent and marks it deleted.
void DeleteKey(const std::shared_ptr<RegKey>& key);

// Whether writes below the open key's root are denied (RegDenyWrites).
bool KeyDeniesWrites(platform::Handle key);

}  // namespace sim::detail
