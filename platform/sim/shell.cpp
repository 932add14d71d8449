// The foreground window, the shell's "open", program starts, the screen
// pointer and the executable's path, as recorded calls and test settings.
#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

sim::detail::ShellState& Shell() {
    return sim::detail::TheWorld().shell;
}

}  // namespace

namespace platform {

void SetForeground(Handle window) {
    Shell().foregroundCalls.push_back(window);
    Shell().lastForeground = window;
}

std::int32_t ShellOpen(const std::string& file) {
    Shell().shellOpens.push_back({file, Shell().screenPointer == ScreenPointer::Hourglass});
    return Shell().shellOpenResult;
}

void StartProgram(const std::string& commandLine, int showStyle) {
    Shell().startedPrograms.push_back({commandLine, showStyle});
}

void SetScreenPointer(ScreenPointer pointer) {
    Shell().screenPointer = pointer;
}

std::string ExecutablePath() {
    return Shell().executablePath;
}

std::u16string ExecutablePathWide() {
    return sim::detail::HasWideCalls() ? Shell().executablePathWide : std::u16string();
}

}  // namespace platform

namespace sim {

const std::vector<platform::Handle>& ForegroundCalls() {
    return Shell().foregroundCalls;
}

const std::vector<ShellOpenCall>& ShellOpenCalls() {
    return Shell().shellOpens;
}

void SetShellOpenResult(std::int32_t result) {
    Shell().shellOpenResult = result;
}

const std::vector<StartedProgram>& StartedPrograms() {
    return Shell().startedPrograms;
}

platform::ScreenPointer CurrentScreenPointer() {
    return Shell().screenPointer;
}

void SetExecutablePath(const std::string& path) {
    Shell().executablePath = path;
    Shell().executablePathWide.assign(path.begin(), path.end());
}

void SetExecutablePathWide(const std::u16string& path) {
    Shell().executablePathWide = path;
}

}  // namespace sim
