// Labels: static text, shown literally, optionally bold, wrapping, sized to its
// text, or a blue underlined link that takes clicks.
#include "platform/win32/form_impl.h"

namespace platform {

namespace {

// The width the text takes when drawn: from its left edge to one past its
// rightmost inked column. The font's advance widths can reach further than
// the glyphs (Wine's Tahoma, by a space at this size), and a link's underline,
// drawn along the advances, would run on past the text; the label's edge
// stops it. Drawn in black on white, without the underline, into a bitmap of
// the advance width, which the text never passes.
int InkWidth(HDC screen, HFONT font, const std::string& text, SIZE extent) {
    if (extent.cx <= 0 || extent.cy <= 0) return 0;
    LOGFONTA plain{};
    GetObjectA(font, sizeof plain, &plain);
    plain.lfUnderline = FALSE;
    const win32::UniqueFont plainFont(CreateFontIndirectA(&plain));
    const win32::UniqueMemoryDC dc(CreateCompatibleDC(screen));
    const win32::UniqueBitmap bitmap(CreateCompatibleBitmap(screen, extent.cx, extent.cy));
    if (!plainFont || !dc || !bitmap) return extent.cx;
    const win32::SelectedObject selectedBitmap(dc.get(), bitmap.get());
    const win32::SelectedObject selectedFont(dc.get(), plainFont.get());
    const RECT all{0, 0, extent.cx, extent.cy};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc.get(), RGB(0, 0, 0));
    SetBkMode(dc.get(), TRANSPARENT);
    TextOutA(dc.get(), 0, 0, text.data(), static_cast<int>(text.size()));
    for (int x = extent.cx - 1; x >= 0; --x) {
        for (int y = 0; y < extent.cy; ++y) {
            if (GetPixel(dc.get(), x, y) != RGB(255, 255, 255)) return x + 1;
        }
    }
    return 0;
}

}  // namespace

namespace win32 {

void FitLabelToText(HWND label) {
    const std::string text = win32::WindowText(label);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0));
    int width = 0;
    {
        const win32::WindowDC dc(label);
        const win32::SelectedObject selected(dc.get(), font);
        SIZE extent{};
        GetTextExtentPoint32A(dc.get(), text.data(), static_cast<int>(text.size()), &extent);
        width = InkWidth(dc.get(), font, text, extent);
    }
    RECT place{};
    GetWindowRect(label, &place);
    SetWindowPos(label, nullptr, 0, 0, width, place.bottom - place.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win32

Label::Label(Form& form, int page, TwipRect rect, const std::string& caption, LabelStyle style) {
    // SS_NOTIFY: clicks and the mouse reach the label (and through it the
    // form) instead of passing through to what lies beneath.
    win32::CreateChild(form, *impl_,
                       {.kind = ControlKind::Label,
                        .page = page,
                        .className = "STATIC",
                        .style = static_cast<DWORD>(SS_NOTIFY | SS_NOPREFIX |
                                                    (style.wrap ? SS_LEFT : SS_LEFTNOWORDWRAP)),
                        .text = caption,
                        .place = rect,
                        .bold = style.bold,
                        .underline = style.link});
    impl_->link = style.link;
    impl_->autoSize = style.autoSize;
    if (impl_->autoSize) win32::FitLabelToText(impl_->window.get());
    if (!style.tooltip.empty()) win32::AddTooltip(*impl_, style.tooltip);
}

std::string Label::text() const {
    return win32::WindowText(impl_->window.get());
}

void Label::setText(const std::string& text) {
    SetWindowTextA(impl_->window.get(), text.c_str());
    if (impl_->autoSize) win32::FitLabelToText(impl_->window.get());
}

void Label::setOnClick(std::function<void()> handler) {
    impl_->onClick = std::move(handler);
}

void Label::setOnMouseMove(std::function<void()> handler) {
    impl_->onMouseMove = std::move(handler);
}

}  // namespace platform
