// A throw-away registry key for tests that must write to the real registry.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace contract {

// Win32 error codes that platform.h has no name for.
constexpr platform::Status kErrorInvalidHandle = 6;
constexpr platform::Status kErrorInvalidParameter = 87;
constexpr platform::Status kErrorBadPathname = 161;
constexpr platform::Status kErrorNoAccess = 998;
constexpr platform::Status kErrorKeyDeleted = 1018;

inline const platform::Handle kCurrentUser = platform::RootKey(platform::kHKeyCurrentUser);
inline const std::string kScratchPath = "Software\\OrbiquellContractTest";

// Each test runs with HKEY_CURRENT_USER\Software\OrbiquellContractTest freshly
// created and open as scratch(); the key is removed again afterwards. The
// platform cannot enumerate subkeys, so tests create subkeys only from a fixed
// set of names (Outer, Outer\Inner, Outer\Inner\Leaf, Plain) that the clean-up
// knows to delete; anything else makes the clean-up fail the test.
class ScratchKeyTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    platform::Handle scratch() const { return scratch_; }
    // The path of a subkey of the scratch key, from HKEY_CURRENT_USER.
    static std::string PathBelowRoot(const std::string& subKey);
    // Whether the subkey of the scratch key can be opened.
    bool SubKeyExists(const std::string& subKey) const;

  private:
    static void RemoveScratchKey();

    platform::Handle scratch_ = 0;
};

// RegQuery into a buffer of the given size, the bytes behind it serving as a
// guard that shows whether anything was written past the data.
struct QueryResult {
    platform::Status status = -1;
    std::uint32_t type = 0xDEADBEEF;
    std::uint32_t size = 0;
    std::vector<std::uint8_t> buffer;  // bufferSize bytes + guard, unwritten ones 0xCC
};
QueryResult QueryValue(platform::Handle key, const std::string& name, std::uint32_t bufferSize);
constexpr std::uint8_t kUnwritten = 0xCC;
constexpr std::uint32_t kGuardBytes = 8;

}  // namespace contract
