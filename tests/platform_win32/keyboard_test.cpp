// The dialog keys of a shown form, as the message loop delivers them.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/widgets.h"
#include "widget_test_support.h"

namespace {

using platform::kOnForm;
using widget_test::Native;

class DialogKeys : public ::testing::Test {
  protected:
    void SetUp() override {
        ok.setOnClick([this] { ++okClicks; });
        cancel.setOnClick([this] { ++cancelClicks; });
        apply.setOnClick([this] { ++applyClicks; });
        form.show();
        SetFocus(Native(box));
    }

    // A key as the keyboard would post it to the focused control.
    void Press(UINT message, WPARAM key, LPARAM flags = 0) {
        PostMessageA(GetFocus(), message, key, flags | 1);
        platform::PumpMessages();
    }

    platform::Form form{5310, 5145};
    platform::TabStrip tabs{form, {120, 120, 5055, 4500}, {"Status", "Settings"}, 520};
    platform::Button ok{
        form, kOnForm, {1980, 4690, 1035, 348}, "OK", platform::ButtonRole::Default};
    platform::Button cancel{
        form, kOnForm, {3060, 4690, 1035, 348}, "Cancel", platform::ButtonRole::Cancel};
    platform::Button apply{form, kOnForm, {4140, 4690, 1035, 348}, "&Apply"};
    platform::CheckBox box{form, 0, {660, 960, 3615, 255}, "&Enable Hot Corners"};
    int okClicks = 0;
    int cancelClicks = 0;
    int applyClicks = 0;
};

TEST_F(DialogKeys, EnterClicksTheDefaultButton) {
    Press(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 0);
    EXPECT_EQ(applyClicks, 0);
}

TEST_F(DialogKeys, EscClicksTheCancelButton) {
    Press(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(okClicks, 0);
}

TEST_F(DialogKeys, TabMovesTheFocusToTheNextControlAndShiftTabBack) {
    Press(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(GetFocus(), Native(tabs));
    {
        const widget_test::KeysDown shift({VK_SHIFT});
        Press(WM_KEYDOWN, VK_TAB);
    }
    EXPECT_EQ(GetFocus(), Native(box));
}

TEST_F(DialogKeys, AltWithAnUnderlinedLetterClicksItsControl) {
    // Alt+A as TranslateMessage makes it: a system character with the Alt flag.
    Press(WM_SYSCHAR, 'a', 1 << 29);
    EXPECT_EQ(applyClicks, 1);
    Press(WM_SYSCHAR, 'e', 1 << 29);
    EXPECT_EQ(box.value(), 1);
}

TEST_F(DialogKeys, AHiddenFormTakesNoKeys) {
    form.hide();
    PostMessageA(Native(box), WM_KEYDOWN, VK_RETURN, 1);
    platform::PumpMessages();
    EXPECT_EQ(okClicks, 0);
}

}  // namespace
