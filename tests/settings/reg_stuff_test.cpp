#include "settings/reg_stuff.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../support/sim_test.h"

namespace {

constexpr std::uint32_t kHkcu = platform::kHKeyCurrentUser;
constexpr std::uint32_t kHklm = platform::kHKeyLocalMachine;
const std::string kKey = "Software\\Orbiquell\\Settings";

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

class RegStuffTest : public SimTest {
  protected:
    void TearDown() override {
        // Every routine closes what it opened, on every path.
        EXPECT_EQ(sim::RegOpenHandleCount(), 0);
        SimTest::TearDown();
    }
};

TEST_F(RegStuffTest, StringDataLosesExactlyOneTerminatingNul) {
    std::string text;
    sim::RegPutValue(kHkcu, kKey, "a", platform::kRegSz, Bytes("C:\\Tools\\Orbiquell.exe"));
    EXPECT_TRUE(GetRegString(kHkcu, kKey, "a", text));
    EXPECT_EQ(text, "C:\\Tools\\Orbiquell.exe");

    sim::RegPutValue(kHkcu, kKey, "b", platform::kRegSz, Bytes(std::string("path\0", 5)));
    EXPECT_TRUE(GetRegString(kHkcu, kKey, "b", text));
    EXPECT_EQ(text, "path");

    sim::RegPutValue(kHkcu, kKey, "c", platform::kRegSz, Bytes(std::string("x\0\0", 3)));
    EXPECT_TRUE(GetRegString(kHkcu, kKey, "c", text));
    EXPECT_EQ(text, std::string("x\0", 2));
}

TEST_F(RegStuffTest, StringSizesAroundTheBuffer) {
    const struct {
        std::size_t bytes;
        bool withNul;
        bool readable;
    } cases[] = {
        {0, false, true},     {1, true, true},     {1, false, true},    {4, false, true},
        {1023, false, true},  {1023, true, true},  {1024, false, true}, {1024, true, true},
        {1025, false, false}, {1025, true, false},
    };
    for (const auto& c : cases) {
        std::string data(c.bytes, 'q');
        if (c.withNul && c.bytes > 0) data.back() = '\0';
        sim::RegPutValue(kHkcu, kKey, "v", platform::kRegSz, Bytes(data));
        std::string text = "before";
        EXPECT_EQ(GetRegString(kHkcu, kKey, "v", text), c.readable) << c.bytes;
        if (c.readable) {
            const std::size_t expected = c.withNul && c.bytes > 0 ? c.bytes - 1 : c.bytes;
            EXPECT_EQ(text, std::string(expected, 'q')) << c.bytes;
        } else {
            EXPECT_EQ(text, "") << c.bytes;
        }
    }
}

TEST_F(RegStuffTest, ValueOfAnyTypeCountsAsPresentButOnlyStringsAreTaken) {
    for (std::uint32_t type : {platform::kRegExpandSz, platform::kRegBinary, platform::kRegMultiSz,
                               platform::kRegNone}) {
        sim::RegPutValue(kHkcu, kKey, "Orbiquell", type, Bytes("elsewhere"));
        std::string text = "kept";
        EXPECT_TRUE(GetRegString(kHkcu, kKey, "Orbiquell", text)) << type;
        EXPECT_EQ(text, "kept") << type;
    }
    sim::RegPutDword(kHkcu, kKey, "Orbiquell", 1);
    std::string text;
    EXPECT_TRUE(GetRegString(kHkcu, kKey, "Orbiquell", text));
    EXPECT_EQ(text, "1");
}

TEST_F(RegStuffTest, MissingKeyOrValueClearsTheTextAndCreatesNothing) {
    std::string text = "old";
    EXPECT_FALSE(GetRegString(kHkcu, "Software\\Nowhere", "x", text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(sim::RegKeyExists(kHkcu, "Software\\Nowhere"));
    sim::RegPutKey(kHkcu, kKey);
    text = "old";
    EXPECT_FALSE(GetRegString(kHkcu, kKey, "x", text));
    EXPECT_EQ(text, "");
    std::int32_t number = 7;
    EXPECT_FALSE(GetRegDWord(kHkcu, kKey, "x", number));
    EXPECT_EQ(number, 7);
}

TEST_F(RegStuffTest, DwordIsReadOnlyFromFourBytesOfTypeDword) {
    std::int32_t number = 0;
    sim::RegPutValue(kHklm, kKey, "HotCorners", platform::kRegDword, {1, 0, 0, 0});
    EXPECT_TRUE(GetRegDWord(kHklm, kKey, "HotCorners", number));
    EXPECT_EQ(number, 1);
    sim::RegPutValue(kHklm, kKey, "HotCorners", platform::kRegDword, {0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_TRUE(GetRegDWord(kHklm, kKey, "HotCorners", number));
    EXPECT_EQ(number, -1);
    sim::RegPutValue(kHklm, kKey, "HotCorners", platform::kRegDword, {0, 0, 0, 0x80});
    EXPECT_TRUE(GetRegDWord(kHklm, kKey, "HotCorners", number));
    EXPECT_EQ(number, INT32_MIN);

    number = 5;
    sim::RegPutValue(kHklm, kKey, "HotCorners", platform::kRegSz, Bytes(std::string("1\0", 2)));
    EXPECT_FALSE(GetRegDWord(kHklm, kKey, "HotCorners", number));
    for (std::size_t size : {0u, 2u, 3u, 5u, 8u}) {
        sim::RegPutValue(kHklm, kKey, "HotCorners", platform::kRegDword,
                         std::vector<std::uint8_t>(size, 1));
        EXPECT_FALSE(GetRegDWord(kHklm, kKey, "HotCorners", number)) << size;
        std::string text = "kept";
        EXPECT_TRUE(GetRegString(kHklm, kKey, "HotCorners", text)) << size;
        EXPECT_EQ(text, "kept") << size;
    }
    EXPECT_EQ(number, 5);
}

TEST_F(RegStuffTest, WritesCreateTheWholePathAndUseTheStoredFormats) {
    EXPECT_TRUE(SetRegDWord(kHklm, kKey, "HotCorners", 1));
    EXPECT_TRUE(sim::RegKeyExists(kHklm, "Software\\Orbiquell"));
    auto value = sim::RegGetValue(kHklm, kKey, "HotCorners");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, platform::kRegDword);
    EXPECT_EQ(value->data, (std::vector<std::uint8_t>{1, 0, 0, 0}));

    EXPECT_TRUE(SetRegString(kHkcu, kKey, "path", "C:\\Tools\\Orbiquell.exe"));
    value = sim::RegGetValue(kHkcu, kKey, "path");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, platform::kRegSz);
    // Written without a NUL; Windows itself appends one when the byte after
    // the data is a NUL, as it is after a string's characters.
    ASSERT_GE(value->data.size(), 22u);
    EXPECT_EQ(std::string(value->data.begin(), value->data.begin() + 22),
              "C:\\Tools\\Orbiquell.exe");
    std::string text;
    EXPECT_TRUE(GetRegString(kHkcu, kKey, "path", text));
    EXPECT_EQ(text, "C:\\Tools\\Orbiquell.exe");

    EXPECT_TRUE(SetRegString(kHkcu, kKey, "empty", ""));
    EXPECT_EQ(sim::RegGetValue(kHkcu, kKey, "empty")->data, std::vector<std::uint8_t>{0});
    text = "x";
    EXPECT_TRUE(GetRegString(kHkcu, kKey, "empty", text));
    EXPECT_EQ(text, "");
}

TEST_F(RegStuffTest, RefusedWritesReportFailure) {
    sim::RegDenyWrites(kHklm, true);
    EXPECT_FALSE(SetRegDWord(kHklm, kKey, "HotCorners", 1));
    EXPECT_FALSE(SetRegString(kHklm, kKey, "x", "y"));
    EXPECT_FALSE(sim::RegGetValue(kHklm, kKey, "HotCorners"));
}

TEST_F(RegStuffTest, Deletions) {
    sim::RegPutString(kHkcu, kKey, "v", "data");
    // What is not there counts as deleted, even where Windows refuses the
    // deletion; what is there and refused does not.
    EXPECT_TRUE(DeleteRegValue(kHkcu, kKey, "missing"));
    EXPECT_TRUE(DeleteRegValue(kHkcu, "Software\\Missing", "v"));
    sim::RegDenyWrites(kHkcu, true);
    EXPECT_TRUE(DeleteRegValue(kHkcu, kKey, "missing"));
    EXPECT_FALSE(DeleteRegValue(kHkcu, kKey, "v"));
    sim::RegDenyWrites(kHkcu, false);
    EXPECT_TRUE(DeleteRegValue(kHkcu, kKey, "V"));  // names are case-insensitive
    EXPECT_FALSE(sim::RegGetValue(kHkcu, kKey, "v"));

    // A key with subkeys stays; the deepest goes first.
    EXPECT_FALSE(DeleteRegKey(kHkcu, "Software\\Orbiquell"));
    EXPECT_TRUE(DeleteRegKey(kHkcu, kKey));
    EXPECT_TRUE(DeleteRegKey(kHkcu, "Software\\Orbiquell"));
    EXPECT_FALSE(sim::RegKeyExists(kHkcu, "Software\\Orbiquell"));
    EXPECT_FALSE(DeleteRegKey(kHkcu, "Software\\Orbiquell"));
}

}  // namespace
