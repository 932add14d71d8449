// What tests can read of a form's controls: their kind, layout and captions.
#include "platform/sim/sim.h"
#include "platform/sim/widget_records.h"
#include "platform/sim/world.h"

namespace {

using sim::detail::ControlKind;

const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::TabStrip:
            return "TabStrip";
        case ControlKind::Frame:
            return "Frame";
        case ControlKind::Label:
            return "Label";
        case ControlKind::TextField:
            return "TextField";
        case ControlKind::CheckBox:
            return "CheckBox";
        case ControlKind::Button:
            return "Button";
        case ControlKind::IconPicture:
            return "IconPicture";
        case ControlKind::Line:
            return "Line";
    }
    return "";
}

}  // namespace

namespace sim {

std::optional<ControlInfo> InfoOf(platform::Handle control) {
    const detail::ControlRecord* record = detail::FindControl(control);
    if (record == nullptr) {
        return std::nullopt;
    }
    return ControlInfo{KindName(record->kind), record->caption,    record->page,
                       record->rect,           record->labelStyle, record->tooltip,
                       record->role,           record->resourceId, record->tabCaptions};
}

// Handles only grow, so the map's order is the order of creation.
std::vector<platform::Handle> ControlsOf(platform::Handle form) {
    std::vector<platform::Handle> controls;
    for (const auto& [handle, record] : detail::TheWorld().widgets.controls) {
        if (record.form == form) {
            controls.push_back(handle);
        }
    }
    return controls;
}

}  // namespace sim
