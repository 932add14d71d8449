// Popup menus: item states, and a choice made with the keyboard while the menu
// is open.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/widgets.h"
#include "widget_test_support.h"

namespace {

using widget_test::Native;

class Menus : public ::testing::Test {
  protected:
    Menus() {
        restore = menu.addItem("&Restore Orbiquell...", [this] { chosen += "restore "; });
        menu.addSeparator();
        hotCorners = menu.addItem("Enable &Hot Corners", [this] { chosen += "hot "; });
        menu.addSeparator();
        exit = menu.addItem("E&xit Orbiquell", [this] { chosen += "exit "; });
    }

    // Keys the menu's own loop reads from the queue once it is open.
    void PopupWithKeys(std::initializer_list<WPARAM> keys) {
        owner.show();
        for (const WPARAM key : keys) PostMessageA(Native(owner), WM_KEYDOWN, key, 1);
        menu.popup(owner.handle(), restore);
    }

    platform::Form owner{1500, 1500};
    platform::PopupMenu menu;
    int restore = -1;
    int hotCorners = -1;
    int exit = -1;
    std::string chosen;
};

TEST_F(Menus, ItemIndicesCountTheSeparators) {
    EXPECT_EQ(restore, 0);
    EXPECT_EQ(hotCorners, 2);
    EXPECT_EQ(exit, 4);
}

TEST_F(Menus, CheckedAndEnabledRoundTrip) {
    EXPECT_FALSE(menu.checked(hotCorners));
    EXPECT_TRUE(menu.enabled(hotCorners));
    menu.setChecked(hotCorners, true);
    menu.setEnabled(exit, false);
    EXPECT_TRUE(menu.checked(hotCorners));
    EXPECT_FALSE(menu.checked(exit));
    EXPECT_FALSE(menu.enabled(exit));
    EXPECT_TRUE(menu.enabled(hotCorners));
    menu.setChecked(hotCorners, false);
    menu.setEnabled(exit, true);
    EXPECT_FALSE(menu.checked(hotCorners));
    EXPECT_TRUE(menu.enabled(exit));
    EXPECT_FALSE(menu.enabled(99));
}

TEST_F(Menus, TheChosenItemsHandlerRunsBeforePopupReturns) {
    PopupWithKeys({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(chosen, "hot ");
}

TEST_F(Menus, DismissingTheMenuRunsNothing) {
    PopupWithKeys({VK_DOWN, VK_ESCAPE});
    EXPECT_EQ(chosen, "");
}

TEST_F(Menus, AGrayedItemCannotBeChosen) {
    menu.setEnabled(restore, false);
    PopupWithKeys({VK_DOWN, VK_RETURN, VK_ESCAPE});
    EXPECT_EQ(chosen.find("restore"), std::string::npos);
}

TEST_F(Menus, TheHandlerMayDestroyTheMenu) {
    auto own = std::make_unique<platform::PopupMenu>();
    int runs = 0;
    own->addItem("&Exit", [&] {
        ++runs;
        own.reset();
    });
    owner.show();
    PostMessageA(Native(owner), WM_KEYDOWN, VK_DOWN, 1);
    PostMessageA(Native(owner), WM_KEYDOWN, VK_RETURN, 1);
    own->popup(owner.handle(), 0);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(own, nullptr);
}

TEST(MenuAndQuit, AQuitAskedForWhileTheMenuIsOpenEndsTheLoopOnceItCloses) {
    // The only test here that asks to quit: the request lasts for the process,
    // and no handler runs after it, so it runs in a process of its own.
    // As the tray's hidden window does, a WM_CLOSE ends the program; it comes
    // while the menu is open, and the menu is then dismissed.
    platform::HiddenForm tray("Orbiquell");
    tray.setOnUnload([] { platform::Quit(7); });
    platform::PopupMenu menu;
    menu.addItem("&Restore Orbiquell...", [] {});
    // The menu stays open a while after the close, with nothing but the quit
    // request waiting, as when a user looks at it.
    PostMessageA(Native(tray), WM_CLOSE, 0, 0);
    static HWND dismissTo = Native(tray);
    SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        PostMessageA(dismissTo, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    menu.popup(tray.handle(), 0);
    // Should the request have gone with the menu, the loop would wait for the
    // next WM_QUIT, which this timer posts with another code.
    SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        PostQuitMessage(99);
    });
    EXPECT_EQ(platform::RunMessageLoop(), 7);
}

}  // namespace
