#include <gtest/gtest.h>

#include <cstdint>

#include "../support/sim_test.h"
#include "app/tray_menu.h"
#include "ui/main_window/main_window_controls.h"

namespace {

constexpr std::uint32_t kHklm = platform::kHKeyLocalMachine;
constexpr auto kLButtonDblClk = platform::TrayMouseEvent::LeftDoubleClick;
constexpr auto kRButtonUp = platform::TrayMouseEvent::RightButtonUp;

class TrayMenuTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        frmSysTray::Instance().Load();
    }
    static void Tray(platform::TrayMouseEvent event) {
        sim::SendTrayEvent(frmSysTray::Instance().trayIcon().window, event);
    }
    static const sim::MenuPopup& RightClick() {
        Tray(kRButtonUp);
        EXPECT_FALSE(sim::MenuPopups().empty());
        return sim::MenuPopups().back();
    }
    static std::optional<std::uint32_t> StoredHotCorners() {
        auto value = sim::RegGetValue(kHklm, "Software\\Orbiquell\\Settings", "HotCorners");
        if (!value || value->data.size() != 4) return std::nullopt;
        return value->data[0];
    }
};

TEST_F(TrayMenuTest, RightButtonReleaseOpensTheMenuAfterTheForegroundCall) {
    gHotCornersEnabled = 1;
    sim::SetScreenSaverActive(true);
    const sim::MenuPopup& popup = RightClick();
    const platform::Handle tray = frmSysTray::Instance().hWnd();
    EXPECT_EQ(popup.foregroundWhenOpened, tray);
    ASSERT_EQ(popup.items.size(), 8u);
    const char* captions[] = {
        "&Restore Orbiquell...",      "-", "Enable &Hot Corners", "-", "&Start Screen Saver...",
        "&Configure Screen Saver...", "-", "E&xit Orbiquell"};
    for (std::size_t i = 0; i < popup.items.size(); ++i) {
        EXPECT_EQ(popup.items[i].caption, captions[i]);
        EXPECT_TRUE(popup.items[i].enabled) << i;
    }
    EXPECT_EQ(popup.defaultItem, 0);
    EXPECT_TRUE(popup.items[2].checked);
    EXPECT_FALSE(frmMain::IsLoaded());  // dismissed: nothing happened
}

TEST_F(TrayMenuTest, MenuStateIsSetFromTheProgramEachTimeItOpens) {
    sim::SetScreenSaverActive(false);
    const sim::MenuPopup first = RightClick();
    EXPECT_FALSE(first.items[4].enabled);
    EXPECT_TRUE(first.items[5].enabled);
    EXPECT_TRUE(first.items[7].enabled);
    EXPECT_FALSE(first.items[2].checked);

    sim::SetScreenSaverActive(true);
    gHotCornersEnabled = 1;
    const sim::MenuPopup second = RightClick();
    EXPECT_TRUE(second.items[4].enabled);
    EXPECT_TRUE(second.items[2].checked);
}

TEST_F(TrayMenuTest, DoubleClickBringsTheWindowBackNormalAndInFront) {
    Tray(kLButtonDblClk);
    ASSERT_TRUE(frmMain::IsLoaded());
    frmMain& main = frmMain::Instance();
    EXPECT_TRUE(sim::IsShowing(main.hWnd()));
    ASSERT_EQ(sim::ForegroundCalls().size(), 1u);
    EXPECT_EQ(sim::ForegroundCalls()[0], main.hWnd());

    sim::Minimize(main.hWnd());
    EXPECT_FALSE(sim::IsShowing(main.hWnd()));
    Tray(kLButtonDblClk);
    EXPECT_TRUE(sim::IsShowing(main.hWnd()));
    EXPECT_EQ(main.WindowState(), platform::WindowState::Normal);
}

TEST_F(TrayMenuTest, RestoreShowsTheWindow) {
    sim::SetMenuChoice("&Restore Orbiquell...");
    RightClick();
    ASSERT_TRUE(frmMain::IsLoaded());
    EXPECT_TRUE(sim::IsShowing(frmMain::Instance().hWnd()));
    EXPECT_EQ(sim::ForegroundCalls().back(), frmMain::Instance().hWnd());
}

TEST_F(TrayMenuTest, HotCornerToggleWithoutTheWindowChangesFlagAndRegistryOnly) {
    gHotCornersEnabled = 1;
    sim::SetMenuChoice("Enable &Hot Corners");
    RightClick();
    EXPECT_EQ(gHotCornersEnabled, 0);
    EXPECT_EQ(StoredHotCorners(), 0u);
    EXPECT_FALSE(frmMain::IsLoaded());
    RightClick();
    EXPECT_EQ(gHotCornersEnabled, 1);
    EXPECT_EQ(StoredHotCorners(), 1u);
}

// A user who may not write for the machine keeps the choice as their own; a
// later write for the machine (an administrator's) takes the per-user value
// away, so that the two never disagree.
TEST_F(TrayMenuTest, HotCornerToggleTheMachineRefusesIsKeptForTheUser) {
    constexpr std::uint32_t kHkcu = platform::kHKeyCurrentUser;
    sim::RegDenyWrites(kHklm, true);
    sim::SetMenuChoice("Enable &Hot Corners");
    RightClick();
    EXPECT_FALSE(StoredHotCorners());
    const auto user = sim::RegGetValue(kHkcu, "Software\\Orbiquell\\Settings", "HotCorners");
    ASSERT_TRUE(user);
    EXPECT_EQ(user->data, (std::vector<std::uint8_t>{1, 0, 0, 0}));

    sim::RegDenyWrites(kHklm, false);
    RightClick();
    EXPECT_EQ(StoredHotCorners(), 0u);
    EXPECT_FALSE(sim::RegGetValue(kHkcu, "Software\\Orbiquell\\Settings", "HotCorners"));
}

TEST_F(TrayMenuTest, HotCornerToggleUpdatesAnOpenWindowsBox) {
    frmMain::Instance().Show();
    auto& c = frmMain::Instance().controls();
    EXPECT_EQ(c.chkHotCorners.value(), 0);
    sim::SetMenuChoice("Enable &Hot Corners");
    RightClick();
    EXPECT_EQ(c.chkHotCorners.value(), 1);
    // The box now agrees with the flag: Apply has nothing to write.
    sim::RegPutDword(kHklm, "Software\\Orbiquell\\Settings", "HotCorners", 5);
    sim::Click(c.btnApply.handle());
    EXPECT_EQ(StoredHotCorners(), 5u);
}

// Refused by both roots, the toggle changes nothing the next start would not
// read, and says so once; the open window's box agrees.
TEST_F(TrayMenuTest, AHotCornerToggleNeitherRootTakesIsNotMade) {
    frmMain::Instance().Show();
    sim::RegDenyWrites(kHklm, true);
    sim::RegDenyWrites(platform::kHKeyCurrentUser, true);
    sim::SetMenuChoice("Enable &Hot Corners");
    RightClick();
    EXPECT_EQ(gHotCornersEnabled, 0);
    EXPECT_EQ(frmMain::Instance().controls().chkHotCorners.value(), 0);
    EXPECT_EQ(StoredHotCorners(), std::nullopt);
    ASSERT_EQ(sim::MessageBoxes().size(), 1u);
    EXPECT_EQ(sim::MessageBoxes()[0].prompt,
              "These settings were not saved:\r\nEnable Hot Corners: Windows refused to store it");
    sim::SetMenuChoice(std::nullopt);
    EXPECT_FALSE(RightClick().items.at(2).checked);
}

TEST_F(TrayMenuTest, ScreenSaverItems) {
    sim::SetScreenSaverActive(true);
    sim::SetMenuChoice("&Start Screen Saver...");
    RightClick();
    EXPECT_EQ(sim::ScreenSaverStarts(), 1);

    sim::SetMenuChoice("&Configure Screen Saver...");
    RightClick();
    ASSERT_EQ(sim::StartedPrograms().size(), 1u);
    EXPECT_EQ(sim::StartedPrograms()[0].commandLine,
              "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,1");
    EXPECT_EQ(sim::StartedPrograms()[0].showStyle, 2);

    // Greyed while the system's flag is off: choosing it does nothing.
    sim::SetScreenSaverActive(false);
    sim::SetMenuChoice("&Start Screen Saver...");
    RightClick();
    EXPECT_EQ(sim::ScreenSaverStarts(), 1);
}

TEST_F(TrayMenuTest, ExitUnloadsBothFormsAndEnds) {
    frmMain::Instance().Show();
    sim::SetScreenSaverActive(false);
    sim::SetMenuChoice("E&xit Orbiquell");
    RightClick();
    EXPECT_FALSE(frmMain::IsLoaded());
    EXPECT_FALSE(frmSysTray::Instance().loaded());
    EXPECT_TRUE(sim::TrayIcons().empty());
    EXPECT_TRUE(sim::ScreenSaverActive());
    EXPECT_TRUE(platform::QuitRequested());
}

}  // namespace

// WM_CLOSE arrives while the menu is open, and the user then chooses an item
// instead of dismissing it: the program ends as asked, and the choice acts on
// nothing.
TEST_F(TrayMenuTest, NoChoiceActsOnceTheProgramWasToldToEnd) {
    for (const char* item :
         {"&Restore Orbiquell...", "Enable &Hot Corners", "&Start Screen Saver...",
          "&Configure Screen Saver...", "E&xit Orbiquell"}) {
        SCOPED_TRACE(item);
        SetUp();
        const platform::Handle icon = frmSysTray::Instance().trayIcon().window;
        sim::SetMenuChoice(item);
        sim::DuringNextModal([] { sim::CloseWindow(frmSysTray::Instance().hWnd()); });
        Tray(kRButtonUp);
        EXPECT_TRUE(platform::QuitRequested());
        EXPECT_FALSE(frmSysTray::Instance().loaded());
        EXPECT_FALSE(frmMain::IsLoaded());
        EXPECT_FALSE(StoredHotCorners());
        EXPECT_EQ(sim::ScreenSaverStarts(), 0);
        EXPECT_TRUE(sim::StartedPrograms().empty());
        EXPECT_TRUE(sim::TrayIcons().empty());
        // Nor does a click that was still queued.
        sim::SendTrayEvent(icon, kLButtonDblClk);
        EXPECT_FALSE(frmMain::IsLoaded());
        EXPECT_FALSE(frmSysTray::Instance().loaded());
    }
}
