// What a user does to the main window: clicks, tab selection, mouse movement,
// keys and the minimise button. Each reaches only what is on the screen.
#include "platform/sim/sim.h"
#include "platform/sim/widget_records.h"
#include "platform/sim/world.h"

namespace {

using sim::detail::ControlKind;
using sim::detail::ControlRecord;
using sim::detail::FindControl;
using sim::detail::RunHandler;

// The control, if a user can reach it now.
ControlRecord* ShowingControl(platform::Handle control) {
    ControlRecord* record = FindControl(control);
    if (record == nullptr || !sim::IsShowing(control)) return nullptr;
    return sim::detail::TakesInput(*sim::detail::FindForm(record->form)) ? record : nullptr;
}

}  // namespace

namespace sim {

bool IsEnabled(platform::Handle control) {
    const ControlRecord* record = FindControl(control);
    return record != nullptr && record->enabled;
}

std::string TooltipOf(platform::Handle control) {
    const ControlRecord* record = FindControl(control);
    return record != nullptr ? record->tooltip : std::string();
}

bool IsShowing(platform::Handle windowOrControl) {
    if (const detail::FormRecord* form = detail::FindForm(windowOrControl)) {
        return detail::IsOnScreen(*form);
    }
    const detail::ControlRecord* record = FindControl(windowOrControl);
    if (record == nullptr) {
        return false;
    }
    const detail::FormRecord* form = detail::FindForm(record->form);
    if (form == nullptr || !detail::IsOnScreen(*form)) {
        return false;
    }
    if (record->page == platform::kOnForm) {
        return true;
    }
    const detail::ControlRecord* tabStrip = detail::TabStripOf(record->form);
    return tabStrip != nullptr && tabStrip->selectedTab == record->page;
}

void Click(platform::Handle control) {
    const ControlRecord* record = ShowingControl(control);
    if (record == nullptr || !record->enabled) {
        return;
    }
    switch (record->kind) {
        case ControlKind::Button:
        case ControlKind::Label:
            RunHandler(record->onClick);
            return;
        case ControlKind::CheckBox:
            detail::ChangeCheckValue(control, record->value == 1 ? 0 : 1);
            return;
        default:
            return;
    }
}

void SelectTab(platform::Handle tabStrip, int page) {
    ControlRecord* record = ShowingControl(tabStrip);
    if (record != nullptr && record->kind == ControlKind::TabStrip && page >= 0 &&
        page < static_cast<int>(record->tabCaptions.size())) {
        record->selectedTab = page;
    }
}

void MouseMove(platform::Handle windowOrControl) {
    if (const detail::FormRecord* form = detail::FindForm(windowOrControl)) {
        if (detail::TakesInput(*form)) {
            RunHandler(form->onMouseMove);
        }
        return;
    }
    const ControlRecord* record = ShowingControl(windowOrControl);
    if (record != nullptr &&
        (record->kind == ControlKind::TabStrip || record->kind == ControlKind::Label)) {
        RunHandler(record->onMouseMove);
    }
}

void MouseDown(platform::Handle control, int button, int shift) {
    const ControlRecord* record = ShowingControl(control);
    if (record != nullptr && record->kind == ControlKind::IconPicture) {
        RunHandler(record->onMouseDown, button, shift);
    }
}

void PressKey(platform::Handle form, Key key) {
    const detail::FormRecord* record = detail::FindForm(form);
    if (record == nullptr || !detail::TakesInput(*record)) {
        return;
    }
    const platform::ButtonRole role =
        key == Key::Enter ? platform::ButtonRole::Default : platform::ButtonRole::Cancel;
    for (const auto& [handle, control] : detail::TheWorld().widgets.controls) {
        if (control.form == form && control.kind == ControlKind::Button && control.role == role) {
            RunHandler(control.onClick);
            return;
        }
    }
}

}  // namespace sim
