// A message box with an owner is modal to it.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/widgets.h"
#include "widget_test_support.h"

namespace {

using widget_test::Native;

// What the timer saw while the box was up.
HWND gOwner = nullptr;
int gOwnerEnabledWhileOpen = -1;

void CALLBACK CheckAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND box = FindWindowA("#32770", "Orbiquell link test");
    if (box == nullptr) return;  // not up yet
    KillTimer(nullptr, timer);
    gOwnerEnabledWhileOpen = IsWindowEnabled(gOwner) ? 1 : 0;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST(ModalBox, DisablesItsOwnerUntilItIsClosed) {
    platform::Form form(5310, 5145);
    form.show();
    gOwner = Native(form);
    SetTimer(nullptr, 0, 100, &CheckAndClose);
    EXPECT_EQ(platform::ShowMessageBox(form.handle(), "Error 31 opening link to ...",
                                       platform::kMbIconExclamation, "Orbiquell link test"),
              platform::kIdOk);
    EXPECT_EQ(gOwnerEnabledWhileOpen, 0);
    EXPECT_TRUE(IsWindowEnabled(gOwner));
}

}  // namespace
