// Lookups and state changes the simulated forms, controls and user actions
// share.
#pragma once

#include <functional>
#include <utility>

#include "platform/sim/world.h"

namespace sim::detail {

FormRecord* FindForm(platform::Handle form);
ControlRecord* FindControl(platform::Handle control);
// The form's tab strip, or null when it has none.
ControlRecord* TabStripOf(platform::Handle form);
// Any window of the program that exists now: a hidden form, a picture box, a
// form or a control.
bool IsLiveWindow(platform::Handle window);
// A form on the screen: visible and not minimised.
bool IsOnScreen(const FormRecord& form);
// A form the user can reach: on the screen and not disabled by a message box
// it owns.
bool TakesInput(const FormRecord& form);

// Runs a copy of the handler: it may destroy the object that holds it, so the
// caller must not touch that object's record afterwards either. Once the
// program has asked to quit, nothing runs, as in the Win32 layer.
template <typename... Args>
void RunHandler(const std::function<void(Args...)>& handler, Args... args) {
    if (platform::QuitRequested()) return;
    std::function<void(Args...)> copy = handler;
    if (copy) {
        copy(std::forward<Args>(args)...);
    }
}

// A change of the window state runs the resize handler; setting the state it
// already has does nothing.
void ChangeWindowState(platform::Handle form, platform::WindowState state);
// A change of a check box's state runs its click handler once; setting the
// state it already has does nothing.
void ChangeCheckValue(platform::Handle checkBox, int value);

// Twips to pixels at a DPI, rounded to the nearest pixel as MulDiv does.
int TwipsToPixels(int twips, int dpi);
// Lays the control out at its form's DPI: an auto-size label's width from its
// text, then its pixels from its twips.
void LayOut(ControlRecord& control);

}  // namespace sim::detail
