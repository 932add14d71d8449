// What the simulated registry offers beyond the Win32 contract: denied writes,
// the count of open handles, the test-side accessors and the reset state.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim.h"

namespace {

using platform::kErrorAccessDenied;
using platform::kErrorFileNotFound;
using platform::kErrorSuccess;
using platform::kHKeyCurrentUser;
using platform::kHKeyLocalMachine;

const platform::Handle kMachine = platform::RootKey(kHKeyLocalMachine);
const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class SimRegistry : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
};

TEST_F(SimRegistry, DeniedWritesLeaveReadingAlone) {
    sim::RegPutDword(kHKeyLocalMachine, "Software\\Orbiquell\\Settings", "HotCorners", 1);
    sim::RegDenyWrites(kHKeyLocalMachine, true);

    // An existing key still opens through RegCreate, read-only.
    platform::Handle key = 0;
    ASSERT_EQ(platform::RegCreate(kMachine, "Software\\Orbiquell\\Settings", &key), kErrorSuccess);
    std::uint32_t size = 0;
    EXPECT_EQ(platform::RegQuery(key, "HotCorners", nullptr, nullptr, &size), kErrorSuccess);
    const std::uint8_t zero[4] = {};
    EXPECT_EQ(platform::RegSet(key, "HotCorners", platform::kRegDword, zero, 4),
              kErrorAccessDenied);
    EXPECT_EQ(platform::RegDeleteNamedValue(key, "HotCorners"), kErrorAccessDenied);
    EXPECT_EQ(platform::RegClose(key), kErrorSuccess);

    platform::Handle created = 0;
    EXPECT_EQ(platform::RegCreate(kMachine, "Software\\Orbiquell\\New", &created),
              kErrorAccessDenied);
    EXPECT_EQ(platform::RegDeleteSubKey(kMachine, "Software\\Orbiquell\\Settings"),
              kErrorAccessDenied);
    EXPECT_EQ(platform::RegDeleteSubKey(kMachine, "Software\\Orbiquell\\Missing"),
              kErrorFileNotFound);

    EXPECT_FALSE(sim::RegKeyExists(kHKeyLocalMachine, "Software\\Orbiquell\\New"));
    EXPECT_EQ(
        sim::RegGetValue(kHKeyLocalMachine, "Software\\Orbiquell\\Settings", "HotCorners")->data,
        (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(sim::RegOpenHandleCount(), 0);
}

TEST_F(SimRegistry, DenialIsPerRootAndCanBeLifted) {
    sim::RegDenyWrites(kHKeyLocalMachine, true);
    platform::Handle key = 0;
    ASSERT_EQ(platform::RegCreate(platform::RootKey(kHKeyCurrentUser), "Software\\Orbiquell", &key),
              kErrorSuccess);
    EXPECT_EQ(platform::RegClose(key), kErrorSuccess);

    sim::RegDenyWrites(kHKeyLocalMachine, false);
    ASSERT_EQ(platform::RegCreate(kMachine, "Software\\Orbiquell", &key), kErrorSuccess);
    EXPECT_EQ(platform::RegClose(key), kErrorSuccess);
}

// A denied key refuses writes to itself and its subkeys, even before it
// exists, and leaves its parent and siblings writable.
TEST_F(SimRegistry, DenialOfOneKeyCoversItsSubkeysOnly) {
    sim::RegDenyWrites(kHKeyLocalMachine, "Software\\Orbiquell\\Settings", true);
    platform::Handle key = 0;
    EXPECT_EQ(platform::RegCreate(kMachine, "software\\orbiquell\\settings\\deeper", &key),
              kErrorAccessDenied);
    ASSERT_EQ(platform::RegCreate(kMachine, "Software\\Orbiquell\\SettingsToo", &key),
              kErrorSuccess);
    EXPECT_EQ(platform::RegClose(key), kErrorSuccess);
    sim::RegPutDword(kHKeyLocalMachine, "Software\\Orbiquell\\Settings", "HotCorners", 1);
    ASSERT_EQ(platform::RegOpen(kMachine, "Software\\Orbiquell\\Settings", &key), kErrorSuccess);
    EXPECT_EQ(platform::RegDeleteNamedValue(key, "HotCorners"), kErrorAccessDenied);
    EXPECT_EQ(platform::RegClose(key), kErrorSuccess);

    sim::RegDenyWrites(kHKeyLocalMachine, "Software\\Orbiquell\\Settings", false);
    ASSERT_EQ(platform::RegOpen(kMachine, "Software\\Orbiquell\\Settings", &key), kErrorSuccess);
    EXPECT_EQ(platform::RegDeleteNamedValue(key, "HotCorners"), kErrorSuccess);
    EXPECT_EQ(platform::RegClose(key), kErrorSuccess);
}

TEST_F(SimRegistry, OpenHandlesAreCountedUntilClosed) {
    platform::Handle run = 0;
    platform::Handle created = 0;
    ASSERT_EQ(platform::RegOpen(kMachine, kRun, &run), kErrorSuccess);
    ASSERT_EQ(platform::RegCreate(kMachine, "Software\\Orbiquell", &created), kErrorSuccess);
    EXPECT_EQ(sim::RegOpenHandleCount(), 2);

    // An empty subkey hands back the same handle, which adds nothing to close.
    platform::Handle same = 0;
    ASSERT_EQ(platform::RegOpen(run, "", &same), kErrorSuccess);
    EXPECT_EQ(sim::RegOpenHandleCount(), 2);

    // A key deleted while open still needs its handle closed.
    ASSERT_EQ(platform::RegDeleteSubKey(kMachine, "Software\\Orbiquell"), kErrorSuccess);
    EXPECT_EQ(platform::RegClose(created), kErrorSuccess);
    EXPECT_EQ(platform::RegClose(run), kErrorSuccess);
    EXPECT_EQ(sim::RegOpenHandleCount(), 0);
}

TEST_F(SimRegistry, TestSideValuesAreWhatTheProgramReads) {
    sim::RegPutString(kHKeyCurrentUser, kRun, "Orbiquell", "C:\\Orbiquell.exe");
    platform::Handle key = 0;
    ASSERT_EQ(platform::RegOpen(platform::RootKey(kHKeyCurrentUser), kRun, &key), kErrorSuccess);
    std::uint8_t buffer[32] = {};
    std::uint32_t size = sizeof buffer;
    std::uint32_t type = 0;
    ASSERT_EQ(platform::RegQuery(key, "ORBIQUELL", &type, buffer, &size), kErrorSuccess);
    EXPECT_EQ(type, platform::kRegSz);
    EXPECT_EQ(size, 17u);  // the text and its NUL
    const std::uint8_t text[] = "D:\\Orbiquell.exe";
    ASSERT_EQ(platform::RegSet(key, "Orbiquell", platform::kRegSz, text, 16), kErrorSuccess);
    EXPECT_EQ(platform::RegClose(key), kErrorSuccess);

    // The NUL behind the data is counted, as RegSetValueExA does.
    const std::optional<sim::RegValue> stored =
        sim::RegGetValue(kHKeyCurrentUser, kRun, "orbiquell");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->data, std::vector<std::uint8_t>(text, text + 17));
}

TEST_F(SimRegistry, ResetLeavesOnlyTheRunKeys) {
    sim::RegPutDword(kHKeyLocalMachine, "Software\\Orbiquell\\Settings", "HotCorners", 1);
    sim::RegPutString(kHKeyCurrentUser, kRun, "Orbiquell", "x");
    sim::RegDenyWrites(kHKeyLocalMachine, true);
    platform::Handle leaked = 0;
    ASSERT_EQ(platform::RegOpen(kMachine, kRun, &leaked), kErrorSuccess);

    sim::Reset();
    EXPECT_EQ(sim::RegOpenHandleCount(), 0);
    EXPECT_FALSE(sim::RegKeyExists(kHKeyLocalMachine, "Software\\Orbiquell"));
    EXPECT_TRUE(sim::RegKeyExists(kHKeyLocalMachine, kRun));
    EXPECT_TRUE(sim::RegKeyExists(kHKeyCurrentUser, kRun));
    EXPECT_FALSE(sim::RegGetValue(kHKeyCurrentUser, kRun, "Orbiquell"));
    platform::Handle key = 0;
    EXPECT_EQ(platform::RegCreate(kMachine, "Software\\Orbiquell", &key), kErrorSuccess);
    EXPECT_EQ(platform::RegClose(key), kErrorSuccess);
}

TEST_F(SimRegistry, UnknownRootIsATestError) {
    EXPECT_THROW(sim::RegPutKey(0x80000000u, "Software"), std::invalid_argument);
    EXPECT_THROW(sim::RegKeyExists(kHKeyCurrentUser, "\\Software"), std::invalid_argument);
}

}  // namespace
