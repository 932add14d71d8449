// The program's own path and what the shell says about a file it cannot open.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

TEST(ExecutablePath, IsTheFullPathOfThisProgram) {
    const std::string path = platform::ExecutablePath();
    const std::string name = "\\orbiquell_platform_win32_widget_tests.exe";
    ASSERT_GT(path.size(), name.size());
    EXPECT_EQ(Lower(path.substr(path.size() - name.size())), name);
    EXPECT_EQ(path[1], ':');
    EXPECT_EQ(path.find('\0'), std::string::npos);
}

TEST(StartProgram, ReturnsAtOnceWhileTheProgramIsStillStartingUp) {
    // The slow starter lies beside this program and sleeps three seconds
    // before it first waits for input.
    std::string path = platform::ExecutablePath();
    path = path.substr(0, path.find_last_of('\\') + 1) + "orbiquell_slow_starter.exe";
    const DWORD before = GetTickCount();
    platform::StartProgram("\"" + path + "\"", platform::kSwShowMinimized);
    const DWORD took = GetTickCount() - before;
    EXPECT_LT(took, 1000u);
    std::printf("StartProgram returned after %lu ms\n", static_cast<unsigned long>(took));

    HANDLE started = nullptr;
    for (int i = 0; i < 100 && started == nullptr; ++i) {
        started = OpenEventA(SYNCHRONIZE, FALSE, "Orbiquell.SlowStarter.Started");
        if (started == nullptr) Sleep(100);
    }
    EXPECT_NE(started, nullptr) << "the program did not start";
    if (started != nullptr) CloseHandle(started);
}

TEST(ShellOpen, AFileThatDoesNotExistReportsAnError) {
    const std::int32_t result = platform::ShellOpen("C:\\no such folder\\no such file.orbiquell");
    EXPECT_LE(result, 32);
    EXPECT_GE(result, 0);
}

}  // namespace
