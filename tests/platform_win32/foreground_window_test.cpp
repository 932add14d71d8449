// What the full-screen guard reads of the window in front, from real windows:
// only a captionless, frameless window exactly the size of its screen fills
// it; a maximised window keeps its caption, and the desktop and the taskbar
// are the shell's.
#include <gtest/gtest.h>

#include <optional>

#include "platform/platform.h"
#include "platform/win32/native.h"

namespace {

class WindowInFront : public ::testing::Test {
  protected:
    void TearDown() override {
        if (window_ != nullptr) DestroyWindow(window_);
    }

    // A window of style, shown as show says and brought to the front; the
    // facts once Windows has it in front.
    std::optional<platform::FrontWindow> Front(const char* windowClass, DWORD style, int show,
                                               const RECT& rect) {
        window_ = CreateWindowExA(0, windowClass, "front", style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(window_, nullptr);
        ShowWindow(window_, show);
        return InFront(window_);
    }

    static std::optional<platform::FrontWindow> InFront(HWND window) {
        SetForegroundWindow(window);
        for (int i = 0; i < 100 && GetForegroundWindow() != window; ++i) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            Sleep(20);
        }
        EXPECT_EQ(GetForegroundWindow(), window);
        return platform::ForegroundWindowFacts();
    }

    static RECT Screen() {
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    static platform::ScreenRect AsScreenRect(const RECT& r) {
        return {r.left, r.top, r.right, r.bottom};
    }

  private:
    HWND window_ = nullptr;
};

TEST_F(WindowInFront, ACaptionlessWindowTheSizeOfTheScreenFillsIt) {
    const auto front = Front("STATIC", WS_POPUP, SW_SHOW, Screen());
    ASSERT_TRUE(front);
    EXPECT_FALSE(front->framed);
    EXPECT_FALSE(front->shell);
    EXPECT_EQ(front->rect, AsScreenRect(Screen()));
    EXPECT_EQ(front->monitor, AsScreenRect(Screen()));
}

TEST_F(WindowInFront, AMaximisedWindowKeepsItsCaption) {
    const auto front = Front("STATIC", WS_OVERLAPPEDWINDOW, SW_SHOWMAXIMIZED, {10, 10, 300, 200});
    ASSERT_TRUE(front);
    EXPECT_TRUE(front->framed);
    EXPECT_FALSE(front->shell);
    EXPECT_EQ(front->monitor, AsScreenRect(Screen()));
}

TEST_F(WindowInFront, TheDesktopAndTheTaskbarAreTheShells) {
    const auto desktop = InFront(GetDesktopWindow());
    ASSERT_TRUE(desktop);
    EXPECT_TRUE(desktop->shell);

    // This desktop has no taskbar: a window of its class, the size of the
    // screen, stands in for a taskbar at the bottom of a screen.
    WNDCLASSA taskbarClass{};
    taskbarClass.lpfnWndProc = DefWindowProcA;
    taskbarClass.hInstance = GetModuleHandleA(nullptr);
    taskbarClass.lpszClassName = "Shell_TrayWnd";
    ASSERT_NE(RegisterClassA(&taskbarClass), 0);
    const auto taskbar = Front("Shell_TrayWnd", WS_POPUP, SW_SHOW, Screen());
    ASSERT_TRUE(taskbar);
    EXPECT_TRUE(taskbar->shell);
}

}  // namespace
