#include "platform/win32/command_line.h"

#include <gtest/gtest.h>

namespace {

using platform::win32::ArgumentsAfterProgramPath;

TEST(ArgumentsAfterProgramPath, QuotedPathWithBlanksIsSkippedWhole) {
    EXPECT_EQ(ArgumentsAfterProgramPath(R"("C:\Program Files\Orbiquell\Orbiquell.exe" -POPUP)"),
              "-POPUP");
}

TEST(ArgumentsAfterProgramPath, UnquotedPathEndsAtTheFirstBlank) {
    EXPECT_EQ(ArgumentsAfterProgramPath(R"(C:\Tools\Orbiquell.exe -popup)"), "-popup");
}

TEST(ArgumentsAfterProgramPath, NoArgumentsGiveAnEmptyString) {
    EXPECT_EQ(ArgumentsAfterProgramPath(R"(C:\Tools\Orbiquell.exe)"), "");
    EXPECT_EQ(ArgumentsAfterProgramPath(R"("C:\Program Files\Orbiquell\Orbiquell.exe")"), "");
    EXPECT_EQ(ArgumentsAfterProgramPath(R"("C:\Program Files\Orbiquell\Orbiquell.exe"   )"), "");
    EXPECT_EQ(ArgumentsAfterProgramPath(""), "");
}

TEST(ArgumentsAfterProgramPath, LeadingBlanksAndTabsGoTrailingBlanksStay) {
    // The switch is compared with the whole string, so a trailing blank must
    // survive to make "-POPUP " differ from "-POPUP".
    EXPECT_EQ(ArgumentsAfterProgramPath("Orbiquell.exe  \t -POPUP "), "-POPUP ");
}

TEST(ArgumentsAfterProgramPath, BlanksBetweenArgumentsAndQuotesInThemAreKept) {
    EXPECT_EQ(ArgumentsAfterProgramPath(R"(Orbiquell.exe "-POPUP"  now)"), R"("-POPUP"  now)");
}

TEST(ArgumentsAfterProgramPath, QuotesMayEnclosePartOfThePath) {
    EXPECT_EQ(ArgumentsAfterProgramPath(R"(C:\"Program Files"\Orbiquell.exe -POPUP)"), "-POPUP");
    // A closing quote does not end the path: only a blank outside quotes does.
    EXPECT_EQ(ArgumentsAfterProgramPath(R"("C:\Tools\Orbiquell.exe"-POPUP)"), "");
}

TEST(ArgumentsAfterProgramPath, UnclosedQuoteTakesTheRestAsPath) {
    EXPECT_EQ(ArgumentsAfterProgramPath(R"("C:\Program Files\Orbiquell.exe -POPUP)"), "");
}

}  // namespace
