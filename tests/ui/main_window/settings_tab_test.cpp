#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/globals.h"
#include "main_window_test.h"

namespace {

constexpr std::uint32_t kHkcu = platform::kHKeyCurrentUser;
constexpr std::uint32_t kHklm = platform::kHKeyLocalMachine;
const char* const kSettings = "Software\\Orbiquell\\Settings";
const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::optional<std::string> RunData(std::uint32_t root) {
    auto value = sim::RegGetValue(root, kRun, "Orbiquell");
    if (!value) return std::nullopt;
    EXPECT_EQ(value->type, platform::kRegSz);
    return std::string(value->data.begin(), value->data.end()).c_str();
}

std::optional<std::uint32_t> HotCornersValue() {
    auto value = sim::RegGetValue(kHklm, kSettings, "HotCorners");
    if (!value || value->data.size() != 4) return std::nullopt;
    return value->data[0] | value->data[1] << 8 | value->data[2] << 16 | value->data[3] << 24;
}

class SettingsTabTest : public MainWindowTest {
  protected:
    static frmMain::Controls& OpenSettings() {
        auto& c = Open();
        sim::SelectTab(c.SSTab1.handle(), kSettingsPage);
        return c;
    }
};

TEST_F(SettingsTabTest, TheBoxesFollowTheFlags) {
    gHotCornersEnabled = 1;
    gAutoStartCurrentUser = 1;
    auto& c = OpenSettings();
    EXPECT_EQ(c.chkHotCorners.value(), 1);
    EXPECT_EQ(c.chkAutoStartCurr.value(), 1);
    EXPECT_EQ(c.chkAutoStartAll.value(), 0);
}

TEST_F(SettingsTabTest, TheAutoStartBoxesExcludeEachOther) {
    auto& c = OpenSettings();
    sim::Click(c.chkAutoStartAll.handle());
    EXPECT_EQ(c.chkAutoStartAll.value(), 1);
    sim::Click(c.chkAutoStartCurr.handle());
    EXPECT_EQ(c.chkAutoStartCurr.value(), 1);
    EXPECT_EQ(c.chkAutoStartAll.value(), 0);
    sim::Click(c.chkAutoStartAll.handle());
    EXPECT_EQ(c.chkAutoStartCurr.value(), 0);
    // Unchecking leaves the other box alone.
    sim::Click(c.chkAutoStartAll.handle());
    EXPECT_EQ(c.chkAutoStartAll.value(), 0);
    EXPECT_EQ(c.chkAutoStartCurr.value(), 0);
    sim::Click(c.chkAutoStartCurr.handle());
    sim::Click(c.chkAutoStartCurr.handle());
    EXPECT_EQ(c.chkAutoStartAll.value(), 0);
}

TEST_F(SettingsTabTest, BothRunValuesOpenWithOnlyAllUsersCheckedAndApplyDropsTheOther) {
    sim::RegPutString(kHkcu, kRun, "Orbiquell", "C:\\old\\Orbiquell.exe");
    sim::RegPutString(kHklm, kRun, "Orbiquell", "C:\\old\\Orbiquell.exe");
    gAutoStartCurrentUser = 1;
    gAutoStartAllUsers = 1;
    auto& c = OpenSettings();
    EXPECT_EQ(c.chkAutoStartCurr.value(), 0);
    EXPECT_EQ(c.chkAutoStartAll.value(), 1);

    sim::Click(c.btnApply.handle());
    EXPECT_EQ(RunData(kHkcu), std::nullopt);
    EXPECT_EQ(RunData(kHklm), "C:\\old\\Orbiquell.exe");  // unchanged: nothing to apply
    EXPECT_EQ(gAutoStartCurrentUser, 0);
    EXPECT_EQ(gAutoStartAllUsers, 1);
}

TEST_F(SettingsTabTest, ApplyWritesOnlyWhatChangedAndOnlyOnce) {
    sim::SetExecutablePath("C:\\Tools\\Orbiquell.exe");
    auto& c = OpenSettings();
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(HotCornersValue(), std::nullopt);
    EXPECT_EQ(RunData(kHkcu), std::nullopt);

    sim::Click(c.chkHotCorners.handle());
    sim::Click(c.chkAutoStartCurr.handle());
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(HotCornersValue(), 1u);
    EXPECT_EQ(gHotCornersEnabled, 1);
    EXPECT_EQ(RunData(kHkcu), "C:\\Tools\\Orbiquell.exe");
    EXPECT_EQ(gAutoStartCurrentUser, 1);
    EXPECT_TRUE(Showing(c.form));  // Apply keeps the window open
    EXPECT_EQ(c.chkHotCorners.value(), 1);

    // A second Apply finds nothing changed: what it would write again stays gone.
    sim::RegPutDword(kHklm, kSettings, "HotCorners", 7);
    sim::RegPutString(kHkcu, kRun, "Orbiquell", "elsewhere");
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(HotCornersValue(), 7u);
    EXPECT_EQ(RunData(kHkcu), "elsewhere");
}

TEST_F(SettingsTabTest, UncheckingWritesZeroAndDeletesTheRunValue) {
    gHotCornersEnabled = 1;
    gAutoStartAllUsers = 1;
    sim::RegPutDword(kHklm, kSettings, "HotCorners", 1);
    sim::RegPutString(kHklm, kRun, "Orbiquell", "C:\\x.exe");
    auto& c = OpenSettings();
    sim::Click(c.chkHotCorners.handle());
    sim::Click(c.chkAutoStartAll.handle());
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(HotCornersValue(), 0u);
    EXPECT_EQ(gHotCornersEnabled, 0);
    EXPECT_EQ(RunData(kHklm), std::nullopt);
    EXPECT_EQ(gAutoStartAllUsers, 0);
}

// The full-screen guard: read at start-up from its value beside "HotCorners",
// shown in its box, stored by Apply.
TEST_F(SettingsTabTest, TheFullScreenBoxIsStoredBesideHotCorners) {
    sim::RegPutDword(kHklm, kSettings, "FullScreenGuard", 5);
    frmSysTray::Instance().Load();
    EXPECT_EQ(gFullScreenGuard, 1);
    auto& c = OpenSettings();
    EXPECT_EQ(c.chkFullScreenGuard.value(), 1);
    EXPECT_TRUE(Showing(c.chkFullScreenGuard));
    sim::Click(c.chkFullScreenGuard.handle());
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(gFullScreenGuard, 0);
    const auto stored = sim::RegGetValue(kHklm, kSettings, "FullScreenGuard");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->data, (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

// A user who may not write for the machine: hot corners are kept for the user,
// and the all-users box is greyed, showing what is stored.
TEST_F(SettingsTabTest, ALockedMachineGreysTheAllUsersBox) {
    sim::RegPutString(kHklm, kRun, "Orbiquell", "C:\\x.exe");
    gAutoStartAllUsers = 1;
    sim::RegDenyWrites(kHklm, true);
    auto& c = OpenSettings();
    EXPECT_FALSE(sim::IsEnabled(c.chkAutoStartAll.handle()));
    EXPECT_EQ(c.chkAutoStartAll.value(), 1);
    EXPECT_NE(sim::TooltipOf(c.chkAutoStartAll.handle()).find("administrator"), std::string::npos);
    sim::Click(c.chkAutoStartAll.handle());
    EXPECT_EQ(c.chkAutoStartAll.value(), 1);
    sim::Click(c.chkHotCorners.handle());
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(gHotCornersEnabled, 1);
    EXPECT_EQ(HotCornersValue(), std::nullopt);
    EXPECT_TRUE(sim::RegGetValue(kHkcu, kSettings, "HotCorners"));
    EXPECT_TRUE(sim::MessageBoxes().empty());

    // The user's own entry would only start a second copy.
    sim::Click(c.chkAutoStartCurr.handle());
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(c.chkAutoStartCurr.value(), 0);
    EXPECT_EQ(RunData(kHkcu), std::nullopt);
    ASSERT_EQ(sim::MessageBoxes().size(), 1u);
    EXPECT_EQ(sim::MessageBoxes()[0].prompt,
              "These settings were not saved:\r\n"
              "Auto Load Orbiquell for Current User: Orbiquell already starts for all users");
}

// Writable when the window opened, refused at Apply: both auto-start boxes go
// back to what is stored, nothing else changes, and one box says so.
TEST_F(SettingsTabTest, AnAllUsersChangeRefusedAtApplyIsUndoneAndReported) {
    gAutoStartCurrentUser = 1;
    sim::RegPutString(kHkcu, kRun, "Orbiquell", "C:\\mine.exe");
    auto& c = OpenSettings();
    sim::Click(c.chkAutoStartAll.handle());  // unticks the user's box too
    sim::RegDenyWrites(kHklm, true);
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(c.chkAutoStartAll.value(), 0);
    EXPECT_EQ(c.chkAutoStartCurr.value(), 1);
    EXPECT_EQ(gAutoStartAllUsers, 0);
    EXPECT_EQ(RunData(kHklm), std::nullopt);
    EXPECT_EQ(RunData(kHkcu), "C:\\mine.exe");
    ASSERT_EQ(sim::MessageBoxes().size(), 1u);
    const auto& box = sim::MessageBoxes()[0];
    EXPECT_EQ(box.prompt,
              "These settings were not saved:\r\n"
              "Auto Load Orbiquell for All Users: only an administrator can change it");
    EXPECT_EQ(box.style, 48u);
    EXPECT_EQ(box.title, "Orbiquell");
    EXPECT_EQ(box.owner, c.form.handle());
}

TEST_F(SettingsTabTest, RunDataIsTheExecutablePathQuotedWhenItHasASpace) {
    EXPECT_EQ(RunValueData("C:\\Tools\\Orbiquell.exe"), "C:\\Tools\\Orbiquell.exe");
    EXPECT_EQ(RunValueData("C:\\Program Files\\Orbiquell\\Orbiquell.exe"),
              "\"C:\\Program Files\\Orbiquell\\Orbiquell.exe\"");
    // A drive's root keeps its backslash, so two stand in a row.
    EXPECT_EQ(RunValueData("C:\\Orbiquell.exe"), "C:\\\\Orbiquell.exe");
    EXPECT_EQ(RunValueData("D:\\My Tools\\orbi.EXE"), "\"D:\\My Tools\\orbi.exe\"");
    EXPECT_EQ(RunValueData("C:\\a.b\\Orbiquell.exe"), "C:\\a.b\\Orbiquell.exe");
    // The space may be in the file's own name.
    EXPECT_EQ(RunValueData("C:\\Tools\\My Orbi.exe"), "\"C:\\Tools\\My Orbi.exe\"");
    EXPECT_EQ(RunValueData(u"C:\\Мои программы\\Orbiquell.exe"),
              u"\"C:\\Мои программы\\Orbiquell.exe\"");

    sim::SetExecutablePath("C:\\Program Files\\Orbiquell\\Orbiquell.exe");
    auto& c = OpenSettings();
    sim::Click(c.chkAutoStartAll.handle());
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(RunData(kHklm), "\"C:\\Program Files\\Orbiquell\\Orbiquell.exe\"");
}

TEST_F(SettingsTabTest, OnTheNtFamilyTheRunDataKeepsWhatTheCodePageCannotHold) {
    const std::u16string path = u"C:\\Программы\\Orbiquell.exe";
    sim::SetExecutablePath("C:\\?????????\\Orbiquell.exe");
    sim::SetExecutablePathWide(path);
    gPlatformId = platform::kVerPlatformWin32Nt;
    auto& c = OpenSettings();
    sim::Click(c.chkAutoStartCurr.handle());
    sim::Click(c.btnApply.handle());
    const auto written = sim::RegGetValue(kHkcu, kRun, "Orbiquell");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->wideText, path);

    // The 9x family names its files in the code page, so the ANSI path is
    // the real one there.
    gPlatformId = 1;
    sim::SetExecutablePath("C:\\Tools\\Orbiquell.exe");
    sim::Click(c.chkAutoStartCurr.handle());
    sim::Click(c.btnApply.handle());
    sim::Click(c.chkAutoStartAll.handle());
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(RunData(kHklm), "C:\\Tools\\Orbiquell.exe");
    EXPECT_TRUE(sim::RegGetValue(kHklm, kRun, "Orbiquell")->wideText.empty());
}

TEST_F(SettingsTabTest, OkAppliesAndUnloadsButKeepsTheProgram) {
    frmSysTray::Instance().Load();
    auto& c = OpenSettings();
    sim::Click(c.chkHotCorners.handle());
    sim::PressKey(c.form.handle(), sim::Key::Enter);
    EXPECT_EQ(HotCornersValue(), 1u);
    EXPECT_FALSE(Main().loaded());
    EXPECT_EQ(Main().mCPULoad, nullptr);
    EXPECT_FALSE(platform::QuitRequested());
    EXPECT_EQ(sim::TrayIcons().size(), 1u);
}

TEST_F(SettingsTabTest, CancelWritesNothingAndReopeningShowsTheFlags) {
    auto& c = OpenSettings();
    const int trims = sim::WorkingSetTrims();
    sim::Click(c.chkAutoStartCurr.handle());
    sim::Click(c.chkHotCorners.handle());
    sim::PressKey(c.form.handle(), sim::Key::Escape);
    EXPECT_FALSE(Main().loaded());
    EXPECT_GT(sim::WorkingSetTrims(), trims);  // hidden through the resize handling
    EXPECT_EQ(RunData(kHkcu), std::nullopt);
    EXPECT_EQ(HotCornersValue(), std::nullopt);
    EXPECT_EQ(gAutoStartCurrentUser, 0);

    auto& again = OpenSettings();
    EXPECT_EQ(again.chkAutoStartCurr.value(), 0);
    EXPECT_EQ(again.chkHotCorners.value(), 0);
}

TEST_F(SettingsTabTest, UnloadEndsTheProgramWithoutApplying) {
    frmSysTray::Instance().Load();
    sim::SetScreenSaverActive(false);
    auto& c = OpenSettings();
    sim::Click(c.chkAutoStartCurr.handle());
    sim::Click(c.btnUnload.handle());
    EXPECT_TRUE(platform::QuitRequested());
    EXPECT_TRUE(sim::TrayIcons().empty());
    EXPECT_TRUE(sim::ScreenSaverActive());
    EXPECT_FALSE(Main().loaded());
    EXPECT_EQ(RunData(kHkcu), std::nullopt);
}

// The all-users entry stored, the user ticks the own box (which unticks the
// other), and the machine refuses at Apply: both boxes show what is stored.
TEST_F(SettingsTabTest, ARefusedSwitchToTheUsersEntryShowsTheStoredOneAgain) {
    gAutoStartAllUsers = 1;
    sim::RegPutString(kHklm, kRun, "Orbiquell", "C:\\x.exe");
    auto& c = OpenSettings();
    sim::Click(c.chkAutoStartCurr.handle());
    sim::RegDenyWrites(kHklm, true);
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(c.chkAutoStartAll.value(), 1);
    EXPECT_EQ(c.chkAutoStartCurr.value(), 0);
    EXPECT_EQ(RunData(kHklm), "C:\\x.exe");
}

// Putting the user's box back after a refusal leaves the all-users box as
// stored, so that the next OK does not delete the machine's entry.
TEST_F(SettingsTabTest, UndoingOneBoxLeavesTheOtherAsStored) {
    sim::RegPutString(kHkcu, kRun, "Orbiquell", "C:\\x.exe");
    sim::RegPutString(kHklm, kRun, "Orbiquell", "C:\\x.exe");
    gAutoStartCurrentUser = 1;
    gAutoStartAllUsers = 1;
    auto& c = OpenSettings();
    sim::RegDenyWrites(kHkcu, true);
    sim::Click(c.btnApply.handle());  // the user's entry cannot go
    ASSERT_EQ(sim::MessageBoxes().size(), 1u);
    EXPECT_EQ(c.chkAutoStartAll.value(), 1);
    EXPECT_EQ(c.chkAutoStartCurr.value(), 0);
    sim::Click(c.btnOK.handle());  // tries again, and says so again
    ASSERT_EQ(sim::MessageBoxes().size(), 2u);
    EXPECT_EQ(sim::MessageBoxes()[1].prompt, sim::MessageBoxes()[0].prompt);
    EXPECT_EQ(RunData(kHklm), "C:\\x.exe");
}

// An entry removed behind the window's back is gone as the user wants it:
// nothing to report.
TEST_F(SettingsTabTest, UntickingAnEntryThatIsAlreadyGoneIsNoRefusal) {
    gAutoStartCurrentUser = 1;
    auto& c = OpenSettings();
    sim::Click(c.chkAutoStartCurr.handle());
    sim::Click(c.btnApply.handle());
    EXPECT_TRUE(sim::MessageBoxes().empty());
    EXPECT_EQ(gAutoStartCurrentUser, 0);
    EXPECT_EQ(c.chkAutoStartCurr.value(), 0);
}

// Where the machine refuses, the settings are kept for the user; where the
// user's own copy can neither go nor follow, or the user's key refuses too,
// the box goes back to what the next start reads and the message says so.
TEST_F(SettingsTabTest, HotCornerSettingsKeptForTheUserOrReported) {
    sim::RegPutDword(kHkcu, kSettings, "HotCorners", 0);
    sim::RegDenyWrites(kHklm, true);
    auto& c = OpenSettings();
    sim::Click(c.chkFullScreenGuard.handle());
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(gFullScreenGuard, 1);
    EXPECT_TRUE(sim::RegGetValue(kHkcu, kSettings, "FullScreenGuard"));
    EXPECT_TRUE(sim::MessageBoxes().empty());

    sim::RegDenyWrites(kHkcu, true);
    sim::Click(c.chkFullScreenGuard.handle());
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(gFullScreenGuard, 1);
    EXPECT_EQ(c.chkFullScreenGuard.value(), 1);
    ASSERT_EQ(sim::MessageBoxes().size(), 1u);
    EXPECT_EQ(sim::MessageBoxes()[0].prompt,
              "These settings were not saved:\r\n"
              "Not while a program fills the screen: Windows refused to store it");

    // The machine would take them, but the user's copy, which wins, cannot
    // go: nothing is written.
    sim::RegDenyWrites(kHklm, false);
    sim::Click(c.chkFullScreenGuard.handle());
    sim::Click(c.chkHotCorners.handle());
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(gFullScreenGuard, 1);
    EXPECT_EQ(c.chkFullScreenGuard.value(), 1);
    EXPECT_EQ(gHotCornersEnabled, 0);
    EXPECT_EQ(c.chkHotCorners.value(), 0);
    EXPECT_FALSE(sim::RegGetValue(kHklm, kSettings, "FullScreenGuard"));
    EXPECT_FALSE(sim::RegGetValue(kHklm, kSettings, "HotCorners"));
    EXPECT_EQ(sim::MessageBoxes().size(), 2u);
}

// Exit from the tray menu, or the end of the session, while Apply's message
// is open unloads the window beneath it; OK must not go on to the controls
// that are gone.
TEST_F(SettingsTabTest, ExitWhileApplysMessageIsOpen) {
    const std::function<void()> exits[] = {
        [] { frmSysTray::Instance().menuExit_Click(); },
        [] { sim::EndSession(); },
    };
    for (const auto& exit : exits) {
        SettingsTabTest::SetUp();
        frmSysTray::Instance().Load();
        gAutoStartAllUsers = 1;
        sim::RegPutString(kHklm, kRun, "Orbiquell", "C:\\x.exe");
        sim::RegDenyWrites(kHklm, true);
        auto& c = OpenSettings();
        sim::Click(c.chkAutoStartCurr.handle());
        sim::DuringNextModal(exit);
        sim::Click(c.btnOK.handle());
        ASSERT_EQ(sim::MessageBoxes().size(), 1u);
        EXPECT_FALSE(Main().loaded());
        EXPECT_TRUE(platform::QuitRequested());
        EXPECT_TRUE(sim::TrayIcons().empty());
    }
}

}  // namespace
