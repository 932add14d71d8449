// The hidden top-level window that stands for the program toward Windows.
#include "platform/widgets.h"
#include "platform/win32/program_window.h"
#include "platform/win32/run_time_link.h"

namespace platform {

struct HiddenForm::Impl {
    std::function<void()> onUnload;
    std::function<void()> onTaskbarCreated;
    std::function<void()> onDisplayChange;
    win32::UniqueWindow window;
};

namespace {

// The shell of Internet Explorer 4 and later broadcasts this to every
// top-level window once it has created its taskbar anew, after Explorer
// crashed or restarted; the icons it had are gone then.
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

// From Vista on, a message from a process of lower integrity, the shell's, does
// not reach a window of higher integrity, such as that of an Orbiquell started
// by an elevated setup, unless the window lets it through. Windows 7 lets one
// window do so, Vista only the whole process; older Windows have neither and
// need neither.
void LetTaskbarCreatedThrough(HWND window) {
    // MSGFLT_ALLOW and MSGFLT_ADD, defined only for Windows versions newer than
    // the one this program is built for.
    constexpr DWORD kAllow = 1;
    constexpr DWORD kAdd = 1;
    using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    static const auto perWindow =
        win32::FindFunction<PerWindow>(user32, "ChangeWindowMessageFilterEx");
    static const auto perProcess =
        win32::FindFunction<PerProcess>(user32, "ChangeWindowMessageFilter");
    if (perWindow != nullptr) {
        perWindow(window, TaskbarCreatedMessage(), kAllow, nullptr);
    } else if (perProcess != nullptr) {
        perProcess(TaskbarCreatedMessage(), kAdd);
    }
}

LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* form = win32::WidgetOf<HiddenForm::Impl>(window);
    if (form != nullptr) {
        // 0 when the registration failed; no message has that number.
        if (message != 0 && message == TaskbarCreatedMessage()) {
            win32::CallHandler(form->onTaskbarCreated);
            return 0;
        }
        switch (message) {
            // The unload handler decides whether and when the window goes; the
            // default handling would destroy it at once.
            case WM_CLOSE:
                win32::CallHandler(form->onUnload);
                return 0;
            case WM_QUERYENDSESSION:
                return TRUE;
            case WM_ENDSESSION:
                if (wParam) win32::CallHandler(form->onUnload);
                return 0;
            // A change of the screens' scale reaches a top-level window as one
            // of these, depending on the Windows version and on whether the
            // window is on the screen that changed; whether a window never
            // shown gets WM_DPICHANGED at all is not documented. The handler
            // finds out itself what changed.
            case WM_DPICHANGED:
            case WM_DISPLAYCHANGE:
            case WM_SETTINGCHANGE:
                win32::CallHandler(form->onDisplayChange);
                return 0;
            default:
                break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HiddenForm::HiddenForm(const std::string& caption) : impl_(std::make_unique<Impl>()) {
    // A real top-level window, not a message-only one: only top-level windows
    // hear of the session's end, and the tool-window style keeps it out of the
    // task list should anything ever show it.
    impl_->window = win32::CreateProgramWindow({.className = "Orbiquell.HiddenForm",
                                                .procedure = &FormProcedure,
                                                .exStyle = WS_EX_TOOLWINDOW,
                                                .style = WS_OVERLAPPEDWINDOW,
                                                .caption = caption.c_str()},
                                               impl_.get());
    LetTaskbarCreatedThrough(impl_->window.get());
}

HiddenForm::~HiddenForm() = default;

Handle HiddenForm::handle() const {
    return win32::ToHandle(impl_->window.get());
}

void HiddenForm::setOnUnload(std::function<void()> handler) {
    impl_->onUnload = std::move(handler);
}

void HiddenForm::setOnTaskbarCreated(std::function<void()> handler) {
    impl_->onTaskbarCreated = std::move(handler);
}

void HiddenForm::setOnDisplayChange(std::function<void()> handler) {
    impl_->onDisplayChange = std::move(handler);
}

}  // namespace platform
