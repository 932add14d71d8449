// A form's tooltips: one tooltip window for all of its controls.
#include "platform/win32/form_impl.h"
// commctrl.h needs windows.h before it.
#include <commctrl.h>

namespace platform {

namespace {

TTTOOLINFOA ToolOf(const Control::Impl& control) {
    // The size of the record every version of the common controls accepts;
    // the fields added later are not needed.
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = control.form->window.get();
    tool.uId = reinterpret_cast<UINT_PTR>(control.window.get());
    return tool;
}

}  // namespace

HWND Form::Impl::tooltips() {
    if (!tooltipWindow) {
        InitializeCommonControls(sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES);
        // Owned by the form, so it goes and hides with it.
        tooltipWindow.reset(CreateWindowExA(
            WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window.get(), nullptr,
            GetModuleHandleA(nullptr), nullptr));
    }
    return tooltipWindow.get();
}

namespace win32 {

void AddTooltip(Control::Impl& control, const std::string& text) {
    // Without a tooltip window the control simply has no tooltip.
    const HWND tooltips = control.form->tooltips();
    if (tooltips == nullptr) return;
    TTTOOLINFOA tool = ToolOf(control);
    // The tooltip keeps a copy of the text.
    tool.lpszText = const_cast<char*>(text.c_str());
    control.hasTooltip =
        SendMessageA(tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

void RemoveTooltip(Control::Impl& control) {
    if (!control.hasTooltip) return;
    TTTOOLINFOA tool = ToolOf(control);
    SendMessageA(control.form->tooltipWindow.get(), TTM_DELTOOLA, 0,
                 reinterpret_cast<LPARAM>(&tool));
    control.hasTooltip = false;
}

}  // namespace win32

}  // namespace platform
