#include "platform/win32/notify_record.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(ToNativeRecord, AFullTipReachesTheShellWithAllSixtyFourCharacters) {
    // The program cuts a long tip to 64 characters and leaves no NUL in the
    // field; copying it as a C string would lose the last character.
    platform::NotifyIconData data;
    std::fill(std::begin(data.szTip), std::end(data.szTip), 'x');
    data.szTip[63] = 'z';

    const NOTIFYICONDATAA record = platform::win32::ToNativeRecord(data);

    EXPECT_EQ(std::string(record.szTip, 64), std::string(63, 'x') + "z");
    EXPECT_EQ(record.szTip[64], '\0');
}

TEST(ToNativeRecord, SizeIsTheFirstFormsWhateverTheCallerSet) {
    platform::NotifyIconData data;
    data.cbSize = 88;
    data.uID = 9999;

    const NOTIFYICONDATAA record = platform::win32::ToNativeRecord(data);

    // The shell tells the record's version by its size; on 64-bit Windows the
    // first form is larger than the 88 bytes the program writes.
    EXPECT_EQ(record.cbSize, offsetof(NOTIFYICONDATAA, szTip) + 64);
    EXPECT_EQ(record.uID, 9999u);
}

}  // namespace
