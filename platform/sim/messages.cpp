// Message boxes, SendMessageA and the screen-saver flag of SystemParametersInfoA.
#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/window_dispatch.h"
#include "platform/sim/world.h"

namespace {

constexpr std::uint32_t kSpiGetScreenSaveActive = 16;
constexpr std::uint32_t kSpiSetScreenSaveActive = 17;

sim::detail::MessageState& Messages() {
    return sim::detail::TheWorld().messages;
}

}  // namespace

namespace platform {

int ShowMessageBox(Handle owner, const std::string& prompt, std::uint32_t style,
                   const std::string& title) {
    Messages().messageBoxes.push_back(
        {owner, prompt, style, title, sim::detail::TheWorld().shell.screenPointer});
    const int answer = Messages().messageBoxAnswer;
    if (Messages().messageBoxOpenMs > 0) sim::AdvanceTime(Messages().messageBoxOpenMs);
    return answer;
}

std::intptr_t SendWindowMessage(Handle window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
    Messages().sentMessages.push_back({window, message, wParam, lParam});
    return sim::detail::DeliverMessage(window, message, wParam, lParam);
}

int SystemParameters(std::uint32_t action, std::uint32_t uiParam, std::uint32_t* pvParam,
                     std::uint32_t winIni) {
    sim::detail::MessageState& messages = Messages();
    messages.spiCalls.push_back(
        {action, uiParam, pvParam == nullptr, pvParam != nullptr ? *pvParam : 0u, winIni});
    if (messages.systemParametersFail) {
        return 0;
    }
    switch (action) {
        case kSpiGetScreenSaveActive:
            if (pvParam == nullptr) {
                return 0;
            }
            *pvParam = messages.screenSaverActive ? 1 : 0;
            return 1;
        case kSpiSetScreenSaveActive:
            messages.screenSaverActive = uiParam != 0;
            return 1;
        default:
            return 0;  // no other setting is simulated
    }
}

}  // namespace platform

namespace sim {

const std::vector<MessageBoxCall>& MessageBoxes() {
    return Messages().messageBoxes;
}

void SetMessageBoxAnswer(int buttonId) {
    Messages().messageBoxAnswer = buttonId;
}

void SetMessageBoxOpenTime(std::uint32_t ms) {
    Messages().messageBoxOpenMs = ms;
}

bool ScreenSaverActive() {
    return Messages().screenSaverActive;
}

void SetScreenSaverActive(bool active) {
    Messages().screenSaverActive = active;
}

void SetSystemParametersFail(bool fail) {
    Messages().systemParametersFail = fail;
}

const std::vector<SpiCall>& SystemParametersCalls() {
    return Messages().spiCalls;
}

const std::vector<SentMessage>& SentMessages() {
    return Messages().sentMessages;
}

int ScreenSaverStarts() {
    return Messages().screenSaverStarts;
}

}  // namespace sim
