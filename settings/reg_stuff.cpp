#include "settings/reg_stuff.h"

#include <array>
#include <optional>

#include "platform/owners.h"
#include "platform/platform.h"

namespace {

constexpr std::uint32_t kBufferSize = 1024;

// Opens root\path for reading; never creates a key.
bool OpenKey(std::uint32_t root, const std::string& path, platform::UniqueRegKey& key) {
    return platform::RegOpen(platform::RootKey(root), path, key.receive()) ==
           platform::kErrorSuccess;
}

// Opens root\path, creating every missing key on the way.
bool CreateKey(std::uint32_t root, const std::string& path, platform::UniqueRegKey& key) {
    return platform::RegCreate(platform::RootKey(root), path, key.receive()) ==
           platform::kErrorSuccess;
}

struct StoredValue {
    std::uint32_t type = 0;
    std::array<std::uint8_t, kBufferSize> data{};
    std::uint32_t length = 0;  // never more than kBufferSize

    // The data as characters, less exactly one terminating NUL if there is one.
    std::string Characters() const {
        std::uint32_t n = length;
        if (n > 0 && data[n - 1] == 0) --n;
        return std::string(data.begin(), data.begin() + n);
    }
    bool IsDword() const { return type == platform::kRegDword && length == 4; }
    std::int32_t Dword() const {
        return static_cast<std::int32_t>(std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 |
                                         std::uint32_t{data[2]} << 16 |
                                         std::uint32_t{data[3]} << 24);
    }
};

std::optional<StoredValue> ReadValue(std::uint32_t root, const std::string& path,
                                     const std::string& name) {
    platform::UniqueRegKey key;
    if (!OpenKey(root, path, key)) return std::nullopt;
    StoredValue value;
    value.length = kBufferSize;
    if (platform::RegQuery(key.get(), name, &value.type, value.data.data(), &value.length) !=
        platform::kErrorSuccess) {
        return std::nullopt;
    }
    // Trust no length beyond the buffer the data was read into.
    if (value.length > kBufferSize) return std::nullopt;
    return value;
}

bool WriteValue(std::uint32_t root, const std::string& path, const std::string& name,
                std::uint32_t type, const std::uint8_t* data, std::uint32_t length) {
    platform::UniqueRegKey key;
    if (!CreateKey(root, path, key)) return false;
    return platform::RegSet(key.get(), name, type, data, length) == platform::kErrorSuccess;
}

}  // namespace

bool GetRegString(std::uint32_t root, const std::string& path, const std::string& name,
                  std::string& text) {
    const auto value = ReadValue(root, path, name);
    if (!value) {
        text.clear();
        return false;
    }
    if (value->type == platform::kRegSz) {
        text = value->Characters();
    } else if (value->IsDword()) {
        text = std::to_string(value->Dword());
    }
    return true;
}

bool IsEmptyRegString(std::uint32_t root, const std::string& path, const std::string& name) {
    const auto value = ReadValue(root, path, name);
    return value && value->type == platform::kRegSz && value->Characters().empty();
}

bool GetRegDWord(std::uint32_t root, const std::string& path, const std::string& name,
                 std::int32_t& number) {
    const auto value = ReadValue(root, path, name);
    if (!value || !value->IsDword()) return false;
    number = value->Dword();
    return true;
}

bool SetRegString(std::uint32_t root, const std::string& path, const std::string& name,
                  const std::string& text) {
    const std::string data = text.empty() ? std::string(1, '\0') : text;
    return WriteValue(root, path, name, platform::kRegSz,
                      reinterpret_cast<const std::uint8_t*>(data.data()),
                      static_cast<std::uint32_t>(data.size()));
}

bool SetRegWideString(std::uint32_t root, const std::string& path, const std::string& name,
                      const std::u16string& text) {
    platform::UniqueRegKey key;
    if (!CreateKey(root, path, key)) return false;
    return platform::RegSetWideString(key.get(), name, text) == platform::kErrorSuccess;
}

bool SetRegDWord(std::uint32_t root, const std::string& path, const std::string& name,
                 std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    const std::uint8_t data[4] = {
        static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
        static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    return WriteValue(root, path, name, platform::kRegDword, data, 4);
}

bool DeleteRegKey(std::uint32_t root, const std::string& path) {
    return platform::RegDeleteSubKey(platform::RootKey(root), path) == platform::kErrorSuccess;
}

bool DeleteRegValue(std::uint32_t root, const std::string& path, const std::string& name) {
    platform::UniqueRegKey key;
    const platform::Status opened = platform::RegOpen(platform::RootKey(root), path, key.receive());
    if (opened == platform::kErrorFileNotFound) return true;
    if (opened != platform::kErrorSuccess) return false;
    if (platform::RegDeleteNamedValue(key.get(), name) == platform::kErrorSuccess) return true;
    // Windows may refuse to delete what is not there (a key this user may only
    // read); either way the value is gone, as the caller wants it.
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    return platform::RegQuery(key.get(), name, &type, nullptr, &size) ==
           platform::kErrorFileNotFound;
}

bool MayWriteRegValues(std::uint32_t root, const std::string& path) {
    platform::UniqueRegKey key;
    return platform::RegOpenWithAccess(platform::RootKey(root), path, platform::kKeySetValue,
                                       key.receive()) == platform::kErrorSuccess;
}
