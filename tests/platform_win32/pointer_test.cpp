// The mouse over the form: which handlers a move runs, the pointer it shows,
// the busy pointer over everything, and mouse buttons on an icon picture.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/widgets.h"
#include "res/resource_ids.h"
#include "widget_test_support.h"

namespace {

using platform::kOnForm;
using widget_test::MoveMouseOver;
using widget_test::Native;

HCURSOR Arrow() {
    return LoadCursorA(nullptr, IDC_ARROW);
}

class MouseOverForm : public ::testing::Test {
  protected:
    void SetUp() override {
        form.setOnMouseMove([this] {
            ++formMoves;
            form.setPointer(platform::Pointer::Default);
        });
        tabs.setOnMouseMove([this] { ++tabMoves; });
        link.setOnMouseMove([this] {
            ++linkMoves;
            form.setPointer(platform::Pointer::Custom);
        });
        form.show();
    }
    void TearDown() override { platform::SetScreenPointer(platform::ScreenPointer::Default); }

    platform::Form form{5310, 5145};
    platform::TabStrip tabs{form, {120, 120, 5055, 4500}, {"Status", "About"}, 520};
    platform::Button ok{form, kOnForm, {1980, 4690, 1035, 348}, "OK"};
    platform::Label link{form, 0, {360, 2040, 600, 195}, "website", widget_test::Link()};
    int formMoves = 0;
    int tabMoves = 0;
    int linkMoves = 0;
};

TEST_F(MouseOverForm, ALinkRunsItsHandlerAndShowsTheFormsPointer) {
    MoveMouseOver(Native(link));
    EXPECT_EQ(linkMoves, 1);
    EXPECT_EQ(form.pointer(), platform::Pointer::Custom);
    EXPECT_NE(GetCursor(), Arrow());
    EXPECT_NE(GetCursor(), nullptr);

    MoveMouseOver(Native(form));
    EXPECT_EQ(formMoves, 1);
    EXPECT_EQ(GetCursor(), Arrow());
}

TEST_F(MouseOverForm, TheTabControlRunsItsHandlerAndKeepsTheFormsPointer) {
    form.setPointer(platform::Pointer::Custom);
    MoveMouseOver(Native(tabs));
    EXPECT_EQ(tabMoves, 1);
    EXPECT_EQ(formMoves, 0);
    EXPECT_NE(GetCursor(), Arrow());
}

TEST_F(MouseOverForm, OtherControlsRunNothingAndShowTheirOwnPointer) {
    MoveMouseOver(Native(link));
    const HCURSOR hand = GetCursor();
    MoveMouseOver(Native(ok));
    EXPECT_EQ(formMoves + tabMoves, 0);
    EXPECT_EQ(linkMoves, 1);
    EXPECT_EQ(form.pointer(), platform::Pointer::Custom);
    EXPECT_NE(GetCursor(), hand);
}

TEST_F(MouseOverForm, TheHandPointsWithTheTipOfItsIndexFinger) {
    MoveMouseOver(Native(link));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(GetCursor(), &info));
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_FALSE(info.fIcon);
    // Drawn at 32 pixels with the point at (13, 5), scaled to the system's
    // cursor size.
    const int size = mask.bmWidth;
    EXPECT_EQ(static_cast<int>(info.xHotspot), 13 * size / 32);
    EXPECT_EQ(static_cast<int>(info.yHotspot), 5 * size / 32);
}

TEST_F(MouseOverForm, TheBusyPointerShowsAtOnceAndEverywhereAndRunsNoHandler) {
    const HCURSOR hourglass = LoadCursorA(nullptr, IDC_WAIT);
    SetCursor(Arrow());
    platform::SetScreenPointer(platform::ScreenPointer::Hourglass);
    EXPECT_EQ(GetCursor(), hourglass);

    SetCursor(Arrow());
    MoveMouseOver(Native(link));
    EXPECT_EQ(GetCursor(), hourglass);
    SetCursor(Arrow());
    MoveMouseOver(Native(ok));
    EXPECT_EQ(GetCursor(), hourglass);
    EXPECT_EQ(linkMoves, 0);

    platform::SetScreenPointer(platform::ScreenPointer::Default);
    EXPECT_EQ(GetCursor(), Arrow());
    MoveMouseOver(Native(link));
    EXPECT_EQ(linkMoves, 1);
}

TEST(IconPictures, ReportTheButtonAndTheKeysHeldDown) {
    platform::Form form(5310, 5145);
    platform::IconPicture picture(form, kOnForm, {300, 600, 480, 480}, IDI_APP);
    int button = 0;
    int shift = -1;
    picture.setOnMouseDown([&](int b, int s) {
        button = b;
        shift = s;
    });

    SendMessageA(Native(picture), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(button, platform::kLeftButton);
    EXPECT_EQ(shift, 0);
    {
        const widget_test::KeysDown keys({VK_SHIFT, VK_MENU});
        SendMessageA(Native(picture), WM_RBUTTONDOWN, MK_RBUTTON, 0);
    }
    EXPECT_EQ(button, platform::kRightButton);
    EXPECT_EQ(shift, platform::kShiftMask | platform::kAltMask);
    {
        const widget_test::KeysDown keys({VK_CONTROL});
        SendMessageA(Native(picture), WM_MBUTTONDOWN, MK_MBUTTON, 0);
    }
    EXPECT_EQ(button, platform::kMiddleButton);
    EXPECT_EQ(shift, platform::kCtrlMask);
}

TEST(IconPictures, AClickWithAltHeldComesThroughTheMessageLoop) {
    platform::Form form(5310, 5145);
    platform::Button ok(form, kOnForm, {1980, 4690, 1035, 348}, "OK");
    platform::IconPicture picture(form, kOnForm, {300, 600, 480, 480}, IDI_APP);
    int shift = -1;
    picture.setOnMouseDown([&](int, int s) { shift = s; });
    form.show();
    const widget_test::KeysDown alt({VK_MENU});
    // Alt goes down on the focused control, then the mouse on the picture.
    PostMessageA(GetFocus(), WM_SYSKEYDOWN, VK_MENU, 1 | (1 << 29));
    PostMessageA(Native(picture), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    platform::PumpMessages();
    EXPECT_EQ(shift, platform::kAltMask);
}

int gMenuLoops = 0;

LRESULT CALLBACK CountMenuLoops(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION &&
        reinterpret_cast<const CWPSTRUCT*>(lParam)->message == WM_ENTERMENULOOP) {
        ++gMenuLoops;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Windows opens the system menu when Alt is released alone; after a click
// with Alt held that would eat the user's next key or click.
TEST(IconPictures, ReleasingAltAfterAnAltClickOpensNoMenu) {
    platform::Form form(5310, 5145);
    platform::IconPicture picture(form, kOnForm, {300, 600, 480, 480}, IDI_APP);
    form.show();
    {
        const widget_test::KeysDown alt({VK_MENU});
        SendMessageA(Native(picture), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    }
    gMenuLoops = 0;
    const HHOOK hook =
        SetWindowsHookExA(WH_CALLWNDPROC, &CountMenuLoops, nullptr, GetCurrentThreadId());
    // Should the menu open after all, Esc closes it again.
    PostMessageA(Native(form), WM_KEYDOWN, VK_ESCAPE, 1);
    SendMessageA(Native(form), WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_EQ(gMenuLoops, 0);
    // Without the click first, the same Alt opens the menu as usual.
    PostMessageA(Native(form), WM_KEYDOWN, VK_ESCAPE, 1);
    SendMessageA(Native(form), WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_EQ(gMenuLoops, 1);
    UnhookWindowsHookEx(hook);
    platform::PumpMessages();
}

}  // namespace
