// The main window's controls as in-memory child windows of a form.
#include <stdexcept>

#include "platform/sim/sim.h"
#include "platform/sim/widget_records.h"
#include "platform/sim/world.h"
#include "platform/widgets.h"

namespace {

using sim::detail::ControlKind;
using sim::detail::ControlRecord;
using sim::detail::FindControl;

std::map<platform::Handle, ControlRecord>& Controls() {
    return sim::detail::TheWorld().widgets.controls;
}

// 5 pixels at 96 DPI, scaled and rounded.
int CharPixels(int dpi) {
    constexpr int kCharPixelsAt96Dpi = 5;
    return (kCharPixelsAt96Dpi * dpi + 48) / 96;
}

int DpiOf(const ControlRecord& control) {
    const sim::detail::FormRecord* form = sim::detail::FindForm(control.form);
    return form != nullptr ? form->dpi : 96;
}

// The Win32 layer makes a page's controls children of the tab strip's page, so
// a control it could not place is a fault of the program, not a layout choice.
void CheckPlacement(platform::Handle form, const ControlRecord& control) {
    const ControlRecord* tabStrip = sim::detail::TabStripOf(form);
    if (control.kind == ControlKind::TabStrip) {
        if (tabStrip != nullptr) {
            throw std::logic_error("a form has at most one tab strip");
        }
        return;
    }
    if (control.page == platform::kOnForm) {
        return;
    }
    if (tabStrip == nullptr || control.page < 0 ||
        control.page >= static_cast<int>(tabStrip->tabCaptions.size())) {
        throw std::logic_error("a control on a tab page its form's tab strip does not have");
    }
}

// Handlers of a control that is gone (after a Reset) are dropped.
template <typename Handler>
void SetHandler(platform::Handle handle, Handler ControlRecord::*field, Handler handler) {
    if (ControlRecord* control = FindControl(handle)) {
        control->*field = std::move(handler);
    }
}

platform::Handle AddControl(const platform::Form& form, ControlRecord control) {
    control.form = form.handle();
    CheckPlacement(control.form, control);
    sim::detail::LayOut(control);
    const platform::Handle handle = sim::detail::NewHandle();
    Controls().emplace(handle, std::move(control));
    return handle;
}

}  // namespace

namespace sim::detail {

int TwipsToPixels(int twips, int dpi) {
    constexpr int kTwipsPerInch = 1440;
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

void LayOut(ControlRecord& control) {
    constexpr int kTwipsPerInch = 1440;
    const int dpi = DpiOf(control);
    const platform::TwipRect& rect = control.rect;
    control.pixels = {TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi),
                      TwipsToPixels(rect.width, dpi), TwipsToPixels(rect.height, dpi)};
    if (control.kind == ControlKind::Label && control.labelStyle.autoSize) {
        control.pixels.width = static_cast<int>(control.caption.size()) * CharPixels(dpi);
        control.rect.width = (control.pixels.width * kTwipsPerInch + dpi / 2) / dpi;
    }
}

ControlRecord* FindControl(platform::Handle control) {
    auto it = Controls().find(control);
    return it == Controls().end() ? nullptr : &it->second;
}

ControlRecord* TabStripOf(platform::Handle form) {
    for (auto& [handle, control] : Controls()) {
        if (control.form == form && control.kind == ControlKind::TabStrip) {
            return &control;
        }
    }
    return nullptr;
}

void ChangeCheckValue(platform::Handle checkBox, int value) {
    ControlRecord* control = FindControl(checkBox);
    if (control == nullptr || control->kind != ControlKind::CheckBox || control->value == value) {
        return;
    }
    control->value = value;
    RunHandler(control->onClick);
}

}  // namespace sim::detail

namespace platform {

struct Control::Impl {
    Handle handle = 0;
};

Control::Control() : impl_(std::make_unique<Impl>()) {}

// The form may be gone already; the control's own record is all there is to
// remove.
Control::~Control() {
    Controls().erase(impl_->handle);
}

Handle Control::handle() const {
    return impl_->handle;
}

int Control::left() const {
    const ControlRecord* control = FindControl(impl_->handle);
    return control != nullptr ? control->rect.left : 0;
}

int Control::width() const {
    const ControlRecord* control = FindControl(impl_->handle);
    return control != nullptr ? control->rect.width : 0;
}

void Control::setEnabled(bool enabled) {
    if (ControlRecord* control = FindControl(impl_->handle)) {
        control->enabled = enabled;
    }
}

void Control::setTooltip(const std::string& text) {
    if (ControlRecord* control = FindControl(impl_->handle)) {
        control->tooltip = text;
    }
}

void Control::setLeft(int twips) {
    if (ControlRecord* control = FindControl(impl_->handle)) {
        control->rect.left = twips;
        sim::detail::LayOut(*control);
    }
}

TabStrip::TabStrip(Form& form, TwipRect rect, const std::vector<std::string>& captions,
                   int /*tabHeightTwips*/) {
    ControlRecord control;
    control.kind = ControlKind::TabStrip;
    control.rect = rect;
    control.tabCaptions = captions;
    impl_->handle = AddControl(form, std::move(control));
}

int TabStrip::selected() const {
    const ControlRecord* control = FindControl(impl_->handle);
    return control != nullptr ? control->selectedTab : 0;
}

// Like TCM_SETCURSEL, an index the tab strip does not have changes nothing.
void TabStrip::select(int page) {
    ControlRecord* control = FindControl(impl_->handle);
    if (control != nullptr && page >= 0 && page < static_cast<int>(control->tabCaptions.size())) {
        control->selectedTab = page;
    }
}

void TabStrip::setOnMouseMove(std::function<void()> handler) {
    SetHandler(impl_->handle, &ControlRecord::onMouseMove, std::move(handler));
}

Frame::Frame(Form& form, int page, TwipRect rect, const std::string& caption) {
    ControlRecord control;
    control.kind = ControlKind::Frame;
    control.page = page;
    control.rect = rect;
    control.caption = caption;
    impl_->handle = AddControl(form, std::move(control));
}

Label::Label(Form& form, int page, TwipRect rect, const std::string& caption, LabelStyle style) {
    ControlRecord control;
    control.kind = ControlKind::Label;
    control.page = page;
    control.rect = rect;
    control.caption = caption;
    control.tooltip = style.tooltip;
    control.labelStyle = std::move(style);
    impl_->handle = AddControl(form, std::move(control));
}

std::string Label::text() const {
    const ControlRecord* control = FindControl(impl_->handle);
    return control != nullptr ? control->caption : std::string();
}

void Label::setText(const std::string& text) {
    ControlRecord* control = FindControl(impl_->handle);
    if (control == nullptr) {
        return;
    }
    control->caption = text;
    sim::detail::LayOut(*control);
}

void Label::setOnClick(std::function<void()> handler) {
    SetHandler(impl_->handle, &ControlRecord::onClick, std::move(handler));
}

void Label::setOnMouseMove(std::function<void()> handler) {
    SetHandler(impl_->handle, &ControlRecord::onMouseMove, std::move(handler));
}

TextField::TextField(Form& form, int page, TwipRect rect) {
    ControlRecord control;
    control.kind = ControlKind::TextField;
    control.page = page;
    control.rect = rect;
    impl_->handle = AddControl(form, std::move(control));
}

std::string TextField::text() const {
    const ControlRecord* control = FindControl(impl_->handle);
    return control != nullptr ? control->caption : std::string();
}

void TextField::setText(const std::string& text) {
    if (ControlRecord* control = FindControl(impl_->handle)) {
        control->caption = text;
    }
}

void TextField::setButtonFaceBackground() {
    if (ControlRecord* control = FindControl(impl_->handle)) {
        control->buttonFaceBackground = true;
    }
}

bool TextField::hasButtonFaceBackground() const {
    const ControlRecord* control = FindControl(impl_->handle);
    return control != nullptr && control->buttonFaceBackground;
}

CheckBox::CheckBox(Form& form, int page, TwipRect rect, const std::string& caption,
                   const std::string& tooltip) {
    ControlRecord control;
    control.kind = ControlKind::CheckBox;
    control.page = page;
    control.rect = rect;
    control.caption = caption;
    control.tooltip = tooltip;
    impl_->handle = AddControl(form, std::move(control));
}

int CheckBox::value() const {
    const ControlRecord* control = FindControl(impl_->handle);
    return control != nullptr ? control->value : 0;
}

void CheckBox::setValue(int value) {
    sim::detail::ChangeCheckValue(impl_->handle, value);
}

void CheckBox::setOnClick(std::function<void()> handler) {
    SetHandler(impl_->handle, &ControlRecord::onClick, std::move(handler));
}

Button::Button(Form& form, int page, TwipRect rect, const std::string& caption, ButtonRole role) {
    ControlRecord control;
    control.kind = ControlKind::Button;
    control.page = page;
    control.rect = rect;
    control.caption = caption;
    control.role = role;
    impl_->handle = AddControl(form, std::move(control));
}

void Button::setOnClick(std::function<void()> handler) {
    SetHandler(impl_->handle, &ControlRecord::onClick, std::move(handler));
}

IconPicture::IconPicture(Form& form, int page, TwipRect rect, int resourceId) {
    ControlRecord control;
    control.kind = ControlKind::IconPicture;
    control.page = page;
    control.rect = rect;
    control.resourceId = resourceId;
    impl_->handle = AddControl(form, std::move(control));
}

void IconPicture::setOnMouseDown(std::function<void(int button, int shift)> handler) {
    SetHandler(impl_->handle, &ControlRecord::onMouseDown, std::move(handler));
}

Line::Line(Form& form, int page, int x1, int y, int x2) {
    ControlRecord control;
    control.kind = ControlKind::Line;
    control.page = page;
    control.rect = {x1, y, x2 - x1, 0};
    impl_->handle = AddControl(form, std::move(control));
}

}  // namespace platform

namespace sim {

std::vector<PixelRect> ControlPixels(platform::Handle form) {
    // Handles grow with each new window, so the map keeps the creation order.
    std::vector<PixelRect> places;
    for (const auto& [handle, control] : Controls()) {
        if (control.form == form) {
            places.push_back(control.pixels);
        }
    }
    return places;
}

}  // namespace sim
