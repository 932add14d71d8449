// A form's tooltips: one tooltip window for all of its controls.
#include <cstddef>

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
    tool.hwnd = control.form->window.get();
    tool.uId = reinterpret_cast<UINT_PTR>(control.window.get());
    const HWND window = control.window.get();
    if (IsWindowEnabled(window)) {
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        return tool;
    }
    // A disabled control hears no mouse: Windows passes its mouse messages to
    // the parent, the form. So the tooltip watches the form, over the control's
    // place while it shows, and over nothing while its page is hidden.
    tool.uFlags = TTF_SUBCLASS;
    if (IsWindowVisible(window)) {
        GetWindowRect(window, &tool.rect);
        MapWindowPoints(HWND_DESKTOP, tool.hwnd, reinterpret_cast<POINT*>(&tool.rect), 2);
    }
    return tool;
}

void SendToTooltips(const Control::Impl& control, UINT message, const std::string* text) {
    TTTOOLINFOA tool = ToolOf(control);
    // The tooltip keeps a copy of the text.
    if (text != nullptr) tool.lpszText = const_cast<char*>(text->c_str());
    SendMessageA(control.form->tooltipWindow.get(), message, 0, reinterpret_cast<LPARAM>(&tool));
}

// Tooltips show the status font of the system's metrics, which is made for the
// system DPI; on a screen of another scale it is scaled to the form's DPI.
// Null, for the tooltips' own font, at the system DPI.
win32::UniqueFont TooltipFont(int dpi) {
    if (dpi == win32::SystemDpi()) return nullptr;
    // The record as Windows before Vista knows it, without the padded border
    // that later versions added at its end; every version takes this size.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        return nullptr;
    }
    LOGFONTA font = metrics.lfStatusFont;
    font.lfHeight = MulDiv(font.lfHeight, dpi, win32::SystemDpi());
    return win32::UniqueFont(CreateFontIndirectA(&font));
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
        tooltipFont = TooltipFont(dpi);
        if (tooltipWindow && tooltipFont) {
            SendMessageA(tooltipWindow.get(), WM_SETFONT,
                         reinterpret_cast<WPARAM>(tooltipFont.get()), FALSE);
        }
    }
    return tooltipWindow.get();
}

namespace win32 {

void AddTooltip(Control::Impl& control, const std::string& text) {
    // Without a tooltip window the control simply has no tooltip.
    if (control.form->tooltips() == nullptr) return;
    SendToTooltips(control, TTM_ADDTOOLA, &text);
    control.hasTooltip = true;
    control.tooltip = text;
}

void PlaceTooltip(const Control::Impl& control) {
    if (!control.hasTooltip || IsWindowEnabled(control.window.get())) return;
    SendToTooltips(control, TTM_NEWTOOLRECTA, nullptr);
}

void RecreateTooltips(Form::Impl& form) {
    if (!form.tooltipWindow) return;
    // The window takes its tools along; each is entered again in the new one.
    form.tooltipWindow.reset();
    for (Control::Impl* control : form.controls) {
        if (!control->hasTooltip) continue;
        control->hasTooltip = false;
        const std::string text = control->tooltip;
        AddTooltip(*control, text);
    }
}

void RemoveTooltip(Control::Impl& control) {
    if (!control.hasTooltip) return;
    SendToTooltips(control, TTM_DELTOOLA, nullptr);
    control.hasTooltip = false;
}

}  // namespace win32

}  // namespace platform
