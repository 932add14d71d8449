// The main window's form as an in-memory window: its state, its placement and
// the handlers a user's actions on it run.
#include <system_error>

#include "platform/sim/sim.h"
#include "platform/sim/widget_records.h"
#include "platform/sim/world.h"
#include "platform/widgets.h"

namespace {

using sim::detail::FindForm;
using sim::detail::FormRecord;

// A fixed single border on each side, and the caption bar above the client area.
constexpr int kFrameWidthPx = 6;
constexpr int kFrameHeightPx = 25;

using sim::detail::TwipsToPixels;

}  // namespace

namespace sim::detail {

FormRecord* FindForm(platform::Handle form) {
    auto& forms = TheWorld().widgets.forms;
    auto it = forms.find(form);
    return it == forms.end() ? nullptr : &it->second;
}

bool IsOnScreen(const FormRecord& form) {
    return form.visible && form.state == platform::WindowState::Normal;
}

bool TakesInput(const FormRecord& form) {
    return IsOnScreen(form) && form.openBoxes == 0;
}

void ChangeWindowState(platform::Handle form, platform::WindowState state) {
    FormRecord* record = FindForm(form);
    if (record == nullptr || record->state == state) {
        return;
    }
    record->state = state;
    RunHandler(record->onResize);
}

}  // namespace sim::detail

namespace platform {

struct Form::Impl {
    Handle handle = 0;
};

Form::Form(int clientWidthTwips, int clientHeightTwips) : impl_(std::make_unique<Impl>()) {
    if (sim::detail::TheWorld().widgets.formCreationFails) {
        // What the Win32 layer throws when CreateWindowExA fails.
        constexpr int kErrorNotEnoughMemory = 8;
        throw std::system_error(kErrorNotEnoughMemory, std::system_category(), "CreateWindowExA");
    }
    impl_->handle = sim::detail::NewHandle();
    FormRecord record;
    record.clientWidthTwips = clientWidthTwips;
    record.clientHeightTwips = clientHeightTwips;
    record.dpi = sim::detail::TheWorld().screen.dpi;
    sim::detail::TheWorld().widgets.forms.emplace(impl_->handle, std::move(record));
}

Form::~Form() {
    sim::detail::TheWorld().widgets.forms.erase(impl_->handle);
}

Handle Form::handle() const {
    return impl_->handle;
}

void Form::setCaption(const std::string& caption) {
    if (FormRecord* record = FindForm(impl_->handle)) {
        record->caption = caption;
    }
}

std::string Form::caption() const {
    const FormRecord* record = FindForm(impl_->handle);
    return record != nullptr ? record->caption : std::string();
}

void Form::centre() {
    FormRecord* record = FindForm(impl_->handle);
    if (record == nullptr) {
        return;
    }
    const sim::detail::ScreenState& screen = sim::detail::TheWorld().screen;
    const int outerWidth = TwipsToPixels(record->clientWidthTwips, record->dpi) + kFrameWidthPx;
    const int outerHeight = TwipsToPixels(record->clientHeightTwips, record->dpi) + kFrameHeightPx;
    record->x = (screen.width - outerWidth) / 2;
    record->y = (screen.height - outerHeight) / 2;
    record->centred = true;
}

void Form::show() {
    if (FormRecord* record = FindForm(impl_->handle)) {
        record->visible = true;
        record->state = WindowState::Normal;
    }
}

void Form::hide() {
    if (FormRecord* record = FindForm(impl_->handle)) {
        record->visible = false;
    }
}

bool Form::visible() const {
    const FormRecord* record = FindForm(impl_->handle);
    return record != nullptr && record->visible;
}

WindowState Form::windowState() const {
    const FormRecord* record = FindForm(impl_->handle);
    return record != nullptr ? record->state : WindowState::Normal;
}

void Form::setWindowState(WindowState state) {
    sim::detail::ChangeWindowState(impl_->handle, state);
}

void Form::setPointer(Pointer pointer) {
    if (FormRecord* record = FindForm(impl_->handle)) {
        record->pointer = pointer;
    }
}

Pointer Form::pointer() const {
    const FormRecord* record = FindForm(impl_->handle);
    return record != nullptr ? record->pointer : Pointer::Default;
}

void Form::setOnClose(std::function<void()> handler) {
    if (FormRecord* record = FindForm(impl_->handle)) {
        record->onClose = std::move(handler);
    }
}

void Form::setOnResize(std::function<void()> handler) {
    if (FormRecord* record = FindForm(impl_->handle)) {
        record->onResize = std::move(handler);
    }
}

void Form::setOnMouseMove(std::function<void()> handler) {
    if (FormRecord* record = FindForm(impl_->handle)) {
        record->onMouseMove = std::move(handler);
    }
}

void Form::setOnDpiChanged(std::function<void()> handler) {
    if (FormRecord* record = FindForm(impl_->handle)) {
        record->onDpiChanged = std::move(handler);
    }
}

}  // namespace platform

namespace sim {

void SetFormCreationFails(bool fails) {
    detail::TheWorld().widgets.formCreationFails = fails;
}

void Minimize(platform::Handle form) {
    if (const detail::FormRecord* record = FindForm(form); record && detail::TakesInput(*record)) {
        detail::ChangeWindowState(form, platform::WindowState::Minimized);
    }
}

FormPlacement PlacementOf(platform::Handle form) {
    const detail::FormRecord* record = FindForm(form);
    if (record == nullptr) {
        return {};
    }
    return {record->x, record->y, TwipsToPixels(record->clientWidthTwips, record->dpi),
            TwipsToPixels(record->clientHeightTwips, record->dpi), record->centred};
}

void SetScreenDpi(int dpi) {
    detail::TheWorld().screen.dpi = dpi;
}

void ChangeFormDpi(platform::Handle form, int dpi) {
    detail::FormRecord* record = FindForm(form);
    if (record == nullptr) {
        return;
    }
    record->dpi = dpi;
    for (auto& [handle, control] : detail::TheWorld().widgets.controls) {
        if (control.form == form) {
            detail::LayOut(control);
        }
    }
    detail::RunHandler(record->onDpiChanged);
}

}  // namespace sim
