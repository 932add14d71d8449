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

// The user's full-screen guard has no machine value to stand in for it: it
// and its key stay, the old setting and a per-user "HotCorners" go.
TEST_F(LegacyTest, APerUserGuardOutlivesTheMove) {
    sim::RegPutDword(kHkcu, kSettings, "SleeperActive", 1);
    sim::RegPutDword(kHkcu, kSettings, "HotCorners", 0);
    sim::RegPutDword(kHkcu, kSettings, "FullScreenGuard", 1);
    MigrateLegacySettings();
    EXPECT_EQ(HotCorners(), 1u);
    EXPECT_FALSE(sim::RegGetValue(kHkcu, kSettings, "SleeperActive"));
    EXPECT_FALSE(sim::RegGetValue(kHkcu, kSettings, "HotCorners"));
    EXPECT_TRUE(sim::RegGetValue(kHkcu, kSettings, "FullScreenGuard"));
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

    // A Settings key with a subkey stays too, but without the old value, which
    // would otherwise be copied over the new setting at every start.
    sim::Reset();
    sim::RegPutDword(kHkcu, kSettings, "SleeperActive", 1);
    sim::RegPutKey(kHkcu, "Software\\Orbiquell\\Settings\\Other");
    MigrateLegacySettings();
    EXPECT_TRUE(sim::RegKeyExists(kHkcu, kSettings));
    EXPECT_FALSE(sim::RegGetValue(kHkcu, kSettings, "SleeperActive"));
}

// A user who may not write under HKEY_LOCAL_MACHINE keeps the old setting as the
// per-user "HotCorners", in the same key, and the old value goes.
TEST_F(LegacyTest, ARefusedCopyGoesToTheUsersValue) {
    sim::RegDenyWrites(kHklm, true);
    sim::RegPutDword(kHkcu, kSettings, "SleeperActive", 7);
    EXPECT_EQ(MigrateLegacySettings(), std::nullopt);
    EXPECT_FALSE(HotCorners());
    const auto user = sim::RegGetValue(kHkcu, kSettings, "HotCorners");
    ASSERT_TRUE(user);
    EXPECT_EQ(user->data, (std::vector<std::uint8_t>{7, 0, 0, 0}));
    EXPECT_FALSE(sim::RegGetValue(kHkcu, kSettings, "SleeperActive"));

    // Once the machine takes a copy, the per-user key goes with the old value.
    sim::RegDenyWrites(kHklm, false);
    sim::RegPutDword(kHkcu, kSettings, "SleeperActive", 1);
    EXPECT_EQ(MigrateLegacySettings(), std::nullopt);
    EXPECT_EQ(HotCorners(), 1u);
    EXPECT_FALSE(sim::RegKeyExists(kHkcu, kProduct));
}

TEST_F(LegacyTest, ACopyNeitherRootTakesKeepsTheOldSettingForThisRunAndTheNext) {
    sim::RegPutDword(kHkcu, kSettings, "SleeperActive", 1);
    sim::RegDenyWrites(kHklm, true);
    sim::RegDenyWrites(kHkcu, true);
    EXPECT_EQ(MigrateLegacySettings(), 1);
    EXPECT_FALSE(HotCorners());
    EXPECT_TRUE(sim::RegGetValue(kHkcu, kSettings, "SleeperActive"));
    EXPECT_FALSE(sim::RegGetValue(kHkcu, kSettings, "HotCorners"));
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

TEST_F(LegacyTest, RunValuesOfOtherTypesAreNeverDeleted) {
    // A working entry written by hand or by an installer, and entries that
    // are no text at all: none of them is an empty REG_SZ.
    const std::string expand = "%SystemRoot%\\..\\Tools\\Orbiquell.exe";
    for (const auto& [type, data] : std::vector<std::pair<std::uint32_t, std::string>>{
             {platform::kRegExpandSz, expand},
             {platform::kRegExpandSz, ""},
             {platform::kRegBinary, std::string("\1\2\3", 3)},
             {platform::kRegMultiSz, std::string("\0\0", 2)}}) {
        SCOPED_TRACE(type);
        for (const std::uint32_t root : {kHklm, kHkcu}) {
            sim::Reset();
            sim::RegPutValue(root, kRun, "Orbiquell", type,
                             std::vector<std::uint8_t>(data.begin(), data.end()));
            MigrateLegacySettings();
            EXPECT_TRUE(RunValue(root));
        }
    }
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
