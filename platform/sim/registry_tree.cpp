#include "platform/sim/registry_tree.h"

#include <algorithm>

namespace sim::detail {

std::shared_ptr<RegKey> MakeRootKey(std::uint32_t root) {
    auto key = std::make_shared<RegKey>();
    key->root = root;
    return key;
}

std::string FoldCase(std::string_view name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return folded;
}

std::optional<std::vector<std::string>> SplitKeyPath(std::string_view path) {
    if (!path.empty() && path.front() == '\\') {
        return std::nullopt;
    }
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > start) {
            names.push_back(FoldCase(path.substr(start, end - start)));
        }
        start = end + 1;
    }
    return names;
}

std::shared_ptr<RegKey> FindKey(const std::shared_ptr<RegKey>& from,
                                const std::vector<std::string>& names) {
    std::shared_ptr<RegKey> key = from;
    for (const std::string& name : names) {
        auto it = key->subkeys.find(name);
        if (it == key->subkeys.end()) {
            return nullptr;
        }
        key = it->second;
    }
    return key;
}

std::shared_ptr<RegKey> CreateKey(const std::shared_ptr<RegKey>& from,
                                  const std::vector<std::string>& names) {
    std::shared_ptr<RegKey> key = from;
    for (const std::string& name : names) {
        std::shared_ptr<RegKey>& child = key->subkeys[name];
        if (!child) {
            child = std::make_shared<RegKey>();
            child->root = key->root;
            child->foldedName = name;
            child->parent = key;
        }
        key = child;
    }
    return key;
}

void DeleteKey(const std::shared_ptr<RegKey>& key) {
    if (std::shared_ptr<RegKey> parent = key->parent.lock()) {
        parent->subkeys.erase(key->foldedName);
    }
    key->deleted = true;
}

}  // namespace sim::detail
