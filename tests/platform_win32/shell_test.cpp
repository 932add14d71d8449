// The program's own path and what the shell says about a file it cannot open.
#include <algorithm>
#include <cctype>
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

TEST(ShellOpen, AFileThatDoesNotExistReportsAnError) {
    const std::int32_t result = platform::ShellOpen("C:\\no such folder\\no such file.orbiquell");
    EXPECT_LE(result, 32);
    EXPECT_GE(result, 0);
}

}  // namespace
