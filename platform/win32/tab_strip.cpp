// The form's tab control. Its pages' controls are the form's own children, so
// they keep the Tab order of their creation; the tab control lies beneath them.
#include "platform/win32/form_impl.h"
// commctrl.h needs windows.h before it.
#include <commctrl.h>

#include "platform/win32/run_time_link.h"

namespace platform {

namespace {

// A themed tab control draws its page in the theme's colour (white on Windows
// 10 and in Wine's default theme), while the controls on it are drawn on the
// button face; the classic look keeps them one surface. A name no theme has
// turns the theme off. Windows 98 and 2000 have no themes and no uxtheme.dll,
// so the call is looked up at run time rather than imported.
void UseClassicLook(HWND window) {
    using SetThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const auto setTheme = win32::FindFunction<SetThemeFunction>(
        win32::LoadSystemLibrary("uxtheme.dll"), "SetWindowTheme");
    if (setTheme != nullptr) setTheme(window, L" ", L" ");
}

}  // namespace

namespace win32 {

void SizeTabs(const Control::Impl& tabStrip, int dpi) {
    const HWND tabs = tabStrip.window.get();
    const auto count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    if (count <= 0) return;
    // The selected tab stands out by this much on either side; a row without
    // room for it gets scroll arrows instead.
    constexpr int kSelectedTabOutset = 2;
    const RECT place = PixelRect(tabStrip, dpi);
    const int tabWidth = (place.right - place.left - 2 * kSelectedTabOutset) / count;
    SendMessageA(tabs, TCM_SETITEMSIZE, 0,
                 MAKELPARAM(tabWidth, TwipsToPixels(tabStrip.tabHeightTwips, dpi)));
}

}  // namespace win32

TabStrip::TabStrip(Form& form, TwipRect rect, const std::vector<std::string>& captions,
                   int tabHeightTwips) {
    InitializeCommonControls(sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES);
    // Clipping its siblings keeps the tab control from painting over the
    // controls that lie on it.
    win32::CreateChild(form, *impl_,
                       {.kind = ControlKind::TabStrip,
                        .className = WC_TABCONTROLA,
                        .style = WS_TABSTOP | WS_CLIPSIBLINGS | TCS_FIXEDWIDTH,
                        .place = rect});
    const HWND tabs = impl_->window.get();
    UseClassicLook(tabs);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(captions[i].c_str());
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    impl_->tabHeightTwips = tabHeightTwips;
    win32::SizeTabs(*impl_, form.impl().dpi);
    SendMessageA(tabs, TCM_SETCURSEL, 0, 0);
    form.impl().tabStrip = impl_.get();
    form.impl().keepTabStripAtBottom();
}

int TabStrip::selected() const {
    return static_cast<int>(SendMessageA(impl_->window.get(), TCM_GETCURSEL, 0, 0));
}

void TabStrip::select(int page) {
    // TCM_SETCURSEL sends no TCN_SELCHANGE; the pages follow here instead.
    SendMessageA(impl_->window.get(), TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    if (impl_->form != nullptr) impl_->form->showSelectedPage();
}

void TabStrip::setOnMouseMove(std::function<void()> handler) {
    impl_->onMouseMove = std::move(handler);
}

}  // namespace platform
