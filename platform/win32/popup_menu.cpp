// Popup menus, opened at the cursor and run to the end before popup() returns.
#include <vector>

#include "platform/widgets.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/menu_mode.h"
#include "platform/win32/program_window.h"

namespace platform {

struct PopupMenu::Impl {
    win32::UniqueMenu menu{CreatePopupMenu()};
    // By item index; a separator's place holds no handler.
    std::vector<std::function<void()>> handlers;
};

namespace {

// Command id 0 means "nothing chosen" to TrackPopupMenu, so ids start at 1.
UINT IdOf(int item) {
    return static_cast<UINT>(item) + 1;
}

// What GetMenuState returns for an item the menu does not have.
constexpr UINT kNoSuchItem = static_cast<UINT>(-1);

}  // namespace

PopupMenu::PopupMenu() : impl_(std::make_unique<Impl>()) {}

PopupMenu::~PopupMenu() = default;

int PopupMenu::addItem(const std::string& caption, std::function<void()> onClick) {
    const int item = static_cast<int>(impl_->handlers.size());
    AppendMenuA(impl_->menu.get(), MF_STRING, IdOf(item), caption.c_str());
    impl_->handlers.push_back(std::move(onClick));
    return item;
}

void PopupMenu::addSeparator() {
    AppendMenuA(impl_->menu.get(), MF_SEPARATOR, 0, nullptr);
    impl_->handlers.emplace_back();
}

void PopupMenu::setChecked(int item, bool checked) {
    CheckMenuItem(impl_->menu.get(), IdOf(item),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool PopupMenu::checked(int item) const {
    const UINT state = GetMenuState(impl_->menu.get(), IdOf(item), MF_BYCOMMAND);
    return state != kNoSuchItem && (state & MF_CHECKED) != 0;
}

void PopupMenu::setEnabled(int item, bool enabled) {
    EnableMenuItem(impl_->menu.get(), IdOf(item),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool PopupMenu::enabled(int item) const {
    const UINT state = GetMenuState(impl_->menu.get(), IdOf(item), MF_BYCOMMAND);
    return state != kNoSuchItem && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void PopupMenu::popup(Handle owner, int defaultItem) {
    const HMENU menu = impl_->menu.get();
    const HWND window = win32::ToNative<HWND>(owner);
    // -1 asks for no default item.
    SetMenuDefaultItem(menu, defaultItem >= 0 ? IdOf(defaultItem) : static_cast<UINT>(-1), FALSE);
    POINT cursor{};
    GetCursorPos(&cursor);
    // The chosen command comes back here rather than as WM_COMMAND to the
    // owner, so the handler runs before popup() returns.
    std::size_t chosen = 0;
    {
        const win32::OpenPopupMenu open;
        chosen = static_cast<std::size_t>(
            TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, cursor.x, cursor.y,
                           0, window, nullptr));
    }
    // The documented way to make the menu close when the user clicks outside
    // it next time: a message of the owner's right after it closed. Posted
    // before the handler, which may destroy the owner.
    PostMessageA(window, WM_NULL, 0, 0);
    if (chosen >= 1 && chosen <= impl_->handlers.size()) {
        win32::CallHandler(impl_->handlers[chosen - 1]);
    }
}

}  // namespace platform
