#include "settings/legacy.h"

#include <gtest/gtest.h>

#include "../support/sim_test.h"

namespace {

constexpr std::uint32_t kHkcu = platform::kHKeyCurrentUser;
constexpr std::uint32_t kHklm = platform::kHKeyLocalMachine;
const char* const kSettings = "Software\\Orbiquell\\Settings";
const char* const kProduct = "Software\\Orbiquell";
const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class LegacyTest : public SimTest {
  protected:
    static std::optional<std::uint32_t> HotCorners() {
        const auto value = sim::RegGetValue(kHklm, kSettings, "HotCorners");
        if (!value || value->data.size() != 4) return std::nullopt;
        return value->data[0] | value->data[1] << 8 | value->data[2] << 16 |
               static_cast<std::uint32_t>(value->data[3]) << 24;
    }
    static bool RunValue(std::uint32_t root) {
        return sim::RegGetValue(root, kRun, "Orbiquell").has_value();
    }
    static void PutRun(std::uint32_t root, const std::string& data) {
        sim::RegPutValue(root, kRun, "Orbiquell", platform::kRegSz,
                         std::vector<std::uint8_t>(data.begin(), data.end()));
    }
};

TEST_F(LegacyTest, OldSettingMovesToTheMachineAndPerUserKeysGo) {
    for (std::uint32_t old : {1u, 0u, 7u, 0xFFFFFFFFu}) {
        sim::Reset();
        sim::RegPutDword(kHkcu, kSettings, "SleeperActive", old);
        MigrateLegacySettings();
        EXPECT_EQ(HotCorners(), old) << "copied unchanged";
        EXPECT_FALSE(sim::RegKeyExists(kHkcu, kSettings));
        EXPECT_FALSE(sim::RegKeyExists(kHkcu, kProduct));
        EXPECT_EQ(sim::RegOpenHandleCount(), 0);
    }
}

TEST_F(LegacyTest, OldSettingOfAnotherTypeIsLeftAlone) {
    sim::RegPutString(kHkcu, kSettings, "SleeperActive", "1");
    MigrateLegacySettings();
    EXPECT_FALSE(HotCorners());
    EXPECT_TRUE(sim::RegGetValue(kHkcu, kSettings, "SleeperActive"));
}

TEST_F(LegacyTest, ProductKeyWithOtherSubkeysStays) {
    sim::RegPutDword(kHkcu, kSettings, "SleeperActive", 1);
    sim::RegPutKey(kHkcu, "Software\\Orbiquell\\Other");
    MigrateLegacySettings();
    EXPECT_FALSE(sim::RegKeyExists(kHkcu, kSettings));
    EXPECT_TRUE(sim::RegKeyExists(kHkcu, "Software\\Orbiquell\\Other"));
}

TEST_F(LegacyTest, FailedCopyStillRemovesTheOldSetting) {
    // A user who may not write under HKEY_LOCAL_MACHINE loses the old value,
    // as the deletions do not depend on the copy.
    sim::RegDenyWrites(kHklm, true);
    sim::RegPutDword(kHkcu, kSettings, "SleeperActive", 1);
    MigrateLegacySettings();
    EXPECT_FALSE(HotCorners());
    EXPECT_FALSE(sim::RegKeyExists(kHkcu, kSettings));
}

TEST_F(LegacyTest, EmptyAllUsersEntryIsDeleted) {
    PutRun(kHklm, "");
    MigrateLegacySettings();
    EXPECT_FALSE(RunValue(kHklm));
}

TEST_F(LegacyTest, EmptyPerUserEntryIsDeleted) {
    PutRun(kHkcu, std::string("\0", 1));
    MigrateLegacySettings();
    EXPECT_FALSE(RunValue(kHkcu));
}

TEST_F(LegacyTest, BothEntriesWithDataKeepOnlyTheAllUsersOne) {
    PutRun(kHklm, "C:\\Tools\\Orbiquell.exe");
    PutRun(kHkcu, "C:\\Tools\\Orbiquell.exe");
    MigrateLegacySettings();
    EXPECT_TRUE(RunValue(kHklm));
    EXPECT_FALSE(RunValue(kHkcu));
}

TEST_F(LegacyTest, EmptyAllUsersAndPerUserWithDataKeepsThePerUserOne) {
    PutRun(kHklm, "");
    PutRun(kHkcu, "C:\\Tools\\Orbiquell.exe");
    MigrateLegacySettings();
    EXPECT_FALSE(RunValue(kHklm));
    EXPECT_TRUE(RunValue(kHkcu));
}

TEST_F(LegacyTest, PerUserEntryAloneIsKept) {
    PutRun(kHkcu, "C:\\Tools\\Orbiquell.exe");
    MigrateLegacySettings();
    EXPECT_TRUE(RunValue(kHkcu));
    EXPECT_EQ(sim::RegGetValue(kHkcu, kRun, "Orbiquell")->data.size(), 22u);
}

TEST_F(LegacyTest, UnconvertedTypesReadAsEmptyWhenNothingWasReadBefore) {
    // A binary all-users value is taken as empty: the shared text is still "".
    sim::RegPutValue(kHklm, kRun, "Orbiquell", platform::kRegBinary, {1, 2, 3});
    MigrateLegacySettings();
    EXPECT_FALSE(RunValue(kHklm));

    // Likewise a per-user one: the failed all-users read left the text "".
    sim::Reset();
    sim::RegPutValue(kHkcu, kRun, "Orbiquell", platform::kRegBinary, {1, 2, 3});
    MigrateLegacySettings();
    EXPECT_FALSE(RunValue(kHkcu));
}

TEST_F(LegacyTest, NothingToDoChangesNothing) {
    MigrateLegacySettings();
    EXPECT_FALSE(HotCorners());
    EXPECT_FALSE(sim::RegKeyExists(kHklm, kSettings));
    EXPECT_FALSE(RunValue(kHklm));
    EXPECT_FALSE(RunValue(kHkcu));
    EXPECT_EQ(sim::RegOpenHandleCount(), 0);
}

}  // namespace
