// Popup menus: each popup is recorded as it looked when it opened, and the
// user's choice set by the test is carried out before popup returns.
#include <algorithm>

#include "platform/sim/sim.h"
#include "platform/sim/widget_records.h"
#include "platform/sim/world.h"
#include "platform/widgets.h"

namespace {

constexpr const char* kSeparatorCaption = "-";

sim::detail::MenuState& Menus() {
    return sim::detail::TheWorld().menus;
}

}  // namespace

namespace platform {

struct PopupMenu::Impl {
    struct Item {
        sim::MenuItemState state;
        bool separator = false;
        std::function<void()> onClick;
    };
    std::vector<Item> items;

    Item* find(int item) {
        return item >= 0 && item < static_cast<int>(items.size()) ? &items[item] : nullptr;
    }
};

PopupMenu::PopupMenu() : impl_(std::make_unique<Impl>()) {}

PopupMenu::~PopupMenu() = default;

int PopupMenu::addItem(const std::string& caption, std::function<void()> onClick) {
    impl_->items.push_back({{caption}, false, std::move(onClick)});
    return static_cast<int>(impl_->items.size()) - 1;
}

void PopupMenu::addSeparator() {
    impl_->items.push_back({{kSeparatorCaption}, true, {}});
}

void PopupMenu::setChecked(int item, bool checked) {
    if (Impl::Item* entry = impl_->find(item)) {
        entry->state.checked = checked;
    }
}

bool PopupMenu::checked(int item) const {
    const Impl::Item* entry = impl_->find(item);
    return entry != nullptr && entry->state.checked;
}

void PopupMenu::setEnabled(int item, bool enabled) {
    if (Impl::Item* entry = impl_->find(item)) {
        entry->state.enabled = enabled;
    }
}

bool PopupMenu::enabled(int item) const {
    const Impl::Item* entry = impl_->find(item);
    return entry != nullptr && entry->state.enabled;
}

void PopupMenu::popup(Handle owner, int defaultItem) {
    sim::MenuPopup shown{owner, defaultItem, sim::detail::TheWorld().shell.lastForeground, {}};
    for (const Impl::Item& item : impl_->items) {
        shown.items.push_back(item.state);
    }
    Menus().popups.push_back(std::move(shown));
    sim::detail::RunDuringModal();

    const std::optional<std::string>& choice = Menus().choice;
    if (!choice) {
        return;
    }
    auto chosen = std::find_if(
        impl_->items.begin(), impl_->items.end(),
        [&](const Impl::Item& item) { return !item.separator && item.state.caption == *choice; });
    if (chosen != impl_->items.end() && chosen->state.enabled) {
        // The handler may destroy this menu.
        sim::detail::RunHandler(chosen->onClick);
    }
}

}  // namespace platform

namespace sim {

const std::vector<MenuPopup>& MenuPopups() {
    return Menus().popups;
}

void SetMenuChoice(std::optional<std::string> caption) {
    Menus().choice = std::move(caption);
}

}  // namespace sim
