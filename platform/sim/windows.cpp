// The hidden form and the picture box as in-memory windows, and the messages
// that reach them, the main window's forms and their controls.
#include <vector>

#include "platform/sim/sim.h"
#include "platform/sim/widget_records.h"
#include "platform/sim/window_dispatch.h"
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

std::intptr_t DeliverMessage(platform::Handle window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) {
    const WindowRecord* record = FindWindow(window);
    const FormRecord* form = FindForm(window);
    if (record == nullptr && form == nullptr && FindControl(window) == nullptr) {
        return 0;
    }
    // The low four bits of a system command are the system's own.
    if (message == kWmSysCommand && (wParam & 0xFFF0) == kScScreenSave) {
        ++TheWorld().messages.screenSaverStarts;
        return 0;
    }
    // Handlers are copied before they run: one may destroy its own window.
    if (form != nullptr) {
        if (message == kWmClose) {
            RunHandler(form->onClose);
        }
    } else if (record == nullptr) {
        return 0;  // a control of a form: no message of its own is simulated
    } else if (record->parent == 0) {
        const bool unloads = message == kWmClose || (message == kWmEndSession && wParam != 0);
        if (unloads) {
            RunHandler(record->onUnload);
        }
    } else if (message == record->callbackMessage) {
        RunHandler(record->onTrayEvent, static_cast<std::uint32_t>(lParam));
    }
    return 0;
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

struct PictureBox::Impl {
    Handle handle = 0;
};

PictureBox::PictureBox(HiddenForm& parent, std::uint32_t callbackMessage)
    : impl_(std::make_unique<Impl>()) {
    WindowRecord record;
    record.parent = parent.handle();
    record.callbackMessage = callbackMessage;
    impl_->handle = CreateWindowRecord(std::move(record));
}

PictureBox::~PictureBox() {
    DestroyWindowRecord(impl_->handle);
}

Handle PictureBox::handle() const {
    return impl_->handle;
}

void PictureBox::setOnTrayEvent(std::function<void(std::uint32_t mouseMessage)> handler) {
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

void CloseWindow(platform::Handle window) {
    detail::DeliverMessage(window, detail::kWmClose, 0, 0);
}

void EndSession() {
    // The windows that exist when the session ends hear of it; one that an
    // earlier window's handler destroyed is passed over.
    std::vector<platform::Handle> topLevel;
    for (const auto& [handle, record] : Windows()) {
        if (record.parent == 0) {
            topLevel.push_back(handle);
        }
    }
    for (platform::Handle window : topLevel) {
        detail::DeliverMessage(window, detail::kWmEndSession, 1, 0);
    }
}

void SendTrayEvent(platform::Handle pictureBox, std::uint32_t mouseMessage) {
    if (const WindowRecord* record = FindWindow(pictureBox); record && record->parent != 0) {
        detail::DeliverMessage(pictureBox, record->callbackMessage, 0, mouseMessage);
    }
}

}  // namespace sim
