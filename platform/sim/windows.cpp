// The hidden form and the picture box as in-memory windows, and the messages
// that reach them, the main window's forms and their controls.
#include <vector>

#include "platform/sim/sim.h"
#include "platform/sim/widget_records.h"
#include "platform/sim/world.h"
#include "platform/widgets.h"

namespace {

using sim::detail::FindControl;
using sim::detail::FindForm;
using sim::detail::FormRecord;
using sim::detail::RunHandler;
using sim::detail::WindowRecord;

std::map<platform::Handle, WindowRecord>& Windows() {
    return sim::detail::TheWorld().windows;
}

WindowRecord* FindWindow(platform::Handle window) {
    auto it = Windows().find(window);
    return it == Windows().end() ? nullptr : &it->second;
}

platform::Handle CreateWindowRecord(WindowRecord record) {
    const platform::Handle handle = sim::detail::NewHandle();
    Windows().emplace(handle, std::move(record));
    return handle;
}

// Destroying a window destroys its children with it, as in Win32.
void DestroyWindowRecord(platform::Handle window) {
    std::erase_if(Windows(), [window](const auto& entry) {
        return entry.first == window || entry.second.parent == window;
    });
}

}  // namespace

namespace sim::detail {

bool IsLiveWindow(platform::Handle window) {
    return FindWindow(window) != nullptr || FindForm(window) != nullptr ||
           FindControl(window) != nullptr;
}

}  // namespace sim::detail

namespace platform {

struct HiddenForm::Impl {
    Handle handle = 0;
};

HiddenForm::HiddenForm(const std::string& /*caption*/) : impl_(std::make_unique<Impl>()) {
    impl_->handle = CreateWindowRecord({});
}

HiddenForm::~HiddenForm() {
    DestroyWindowRecord(impl_->handle);
}

Handle HiddenForm::handle() const {
    return impl_->handle;
}

void HiddenForm::setOnUnload(std::function<void()> handler) {
    if (WindowRecord* record = FindWindow(impl_->handle)) {
        record->onUnload = std::move(handler);
    }
}

void HiddenForm::setOnTaskbarCreated(std::function<void()> handler) {
    if (WindowRecord* record = FindWindow(impl_->handle)) {
        record->onTaskbarCreated = std::move(handler);
    }
}

void HiddenForm::setOnDisplayChange(std::function<void()> handler) {
    if (WindowRecord* record = FindWindow(impl_->handle)) {
        record->onDisplayChange = std::move(handler);
    }
}

struct PictureBox::Impl {
    Handle handle = 0;
};

PictureBox::PictureBox(HiddenForm& parent) : impl_(std::make_unique<Impl>()) {
    WindowRecord record;
    record.parent = parent.handle();
    impl_->handle = CreateWindowRecord(std::move(record));
}

PictureBox::~PictureBox() {
    DestroyWindowRecord(impl_->handle);
}

Handle PictureBox::handle() const {
    return impl_->handle;
}

void PictureBox::setOnTrayEvent(std::function<void(TrayMouseEvent)> handler) {
    if (WindowRecord* record = FindWindow(impl_->handle)) {
        record->onTrayEvent = std::move(handler);
    }
}

}  // namespace platform

namespace sim {

int LiveWindowCount() {
    const detail::WidgetState& widgets = detail::TheWorld().widgets;
    return static_cast<int>(Windows().size() + widgets.forms.size() + widgets.controls.size());
}

// Handlers are copied before they run: one may destroy its own window.
void CloseWindow(platform::Handle window) {
    if (const FormRecord* form = FindForm(window)) {
        RunHandler(form->onClose);
    } else if (const WindowRecord* record = FindWindow(window); record && record->parent == 0) {
        RunHandler(record->onUnload);
    }
}

namespace {

// A broadcast reaches the top-level windows that exist when it is sent; one
// that an earlier window's handler destroyed is passed over.
template <typename Handler>
void Broadcast(Handler WindowRecord::*handler) {
    std::vector<platform::Handle> topLevel;
    for (const auto& [handle, record] : Windows()) {
        if (record.parent == 0) {
            topLevel.push_back(handle);
        }
    }
    for (platform::Handle window : topLevel) {
        if (const WindowRecord* record = FindWindow(window)) RunHandler(record->*handler);
    }
}

}  // namespace

void EndSession() {
    Broadcast(&WindowRecord::onUnload);
}

void BroadcastTaskbarCreated() {
    Broadcast(&WindowRecord::onTaskbarCreated);
}

void BroadcastDisplayChange() {
    Broadcast(&WindowRecord::onDisplayChange);
}

void SendTrayEvent(platform::Handle pictureBox, platform::TrayMouseEvent event) {
    if (const WindowRecord* record = FindWindow(pictureBox); record && record->parent != 0) {
        RunHandler(record->onTrayEvent, event);
    }
}

}  // namespace sim
