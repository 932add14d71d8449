#include "platform/win32/notify_record.h"

#include <cstddef>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

using platform::win32::FillTipField;

TEST(TipField, TextNulThenBlanks) {
    char field[64];
    FillTipField(field, "WS7 up for 1 day, 0:00:00");
    EXPECT_STREQ(field, "WS7 up for 1 day, 0:00:00");
    for (std::size_t i = std::strlen(field) + 1; i < sizeof field; ++i) EXPECT_EQ(field[i], ' ');
}

TEST(TipField, AlwaysKeepsRoomForTheNul) {
    char field[64];
    const std::string fits(63, 'a');
    FillTipField(field, fits);
    EXPECT_EQ(std::string(field), fits);

    // 64 characters or more: cut so the shell never reads past the field.
    FillTipField(field, std::string(64, 'b'));
    EXPECT_EQ(std::string(field), std::string(63, 'b'));
    FillTipField(field, std::string(200, 'c'));
    EXPECT_EQ(std::string(field), std::string(63, 'c'));

    FillTipField(field, "");
    EXPECT_EQ(field[0], '\0');
}

TEST(TrayRecord, IsTheFirstFormWithTheProgramsIdAndNothingElse) {
    const NOTIFYICONDATAA record = platform::win32::TrayRecord(nullptr, NIF_TIP);
    // The shell tells the record's version by its size; on 64-bit Windows the
    // first form is larger than the 88 bytes of a 32-bit program.
    EXPECT_EQ(record.cbSize, offsetof(NOTIFYICONDATAA, szTip) + 64);
    EXPECT_EQ(record.uID, 9999u);
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_TIP));
    EXPECT_EQ(record.uCallbackMessage, 0u);
    EXPECT_EQ(record.hIcon, nullptr);
    EXPECT_EQ(record.szTip[0], '\0');
}

}  // namespace
