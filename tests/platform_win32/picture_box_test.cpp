// The picture box decodes what the shell reports of the mouse over the icon.
#include <gtest/gtest.h>

#include <vector>

#include "platform/widgets.h"
#include "widget_test_support.h"

namespace {

using widget_test::Native;

TEST(PictureBox, OnlyADoubleClickAndTheRightButtonsReleaseAreEvents) {
    platform::HiddenForm form("tray");
    platform::PictureBox box(form);
    std::vector<platform::TrayMouseEvent> events;
    box.setOnTrayEvent([&](platform::TrayMouseEvent event) { events.push_back(event); });
    // The shell's callback: WM_MOUSEMOVE with the mouse message in lParam.
    for (const UINT mouse : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                             WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN}) {
        SendMessageA(Native(box), WM_MOUSEMOVE, 9999, mouse);
    }
    // Another message with the same lParam is no callback.
    SendMessageA(Native(box), WM_TIMER, 0, WM_RBUTTONUP);
    EXPECT_EQ(events, (std::vector<platform::TrayMouseEvent>{
                          platform::TrayMouseEvent::LeftDoubleClick,
                          platform::TrayMouseEvent::RightButtonUp}));
}

}  // namespace
