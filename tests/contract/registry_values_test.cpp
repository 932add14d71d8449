// Writing, reading and deleting registry values, as RegSetValueExA and
// RegQueryValueExA treat them: string types are converted to UTF-16 and back by
// Windows, which shows in the NULs it adds; other types are stored as given.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "platform/platform.h"
#include "tests/contract/scratch_key.h"

namespace contract {
namespace {

using platform::kErrorFileNotFound;
using platform::kErrorMoreData;
using platform::kErrorSuccess;

// The buffer the program reads every value into.
constexpr std::uint32_t kReadBuffer = 1024;

// How the data handed to RegSet ends, and what lies behind it in memory.
enum class Tail {
    kEndsInNul,       // the last byte is a NUL
    kNoNul,           // no NUL in the data, and none behind it
    kNoNulNulBehind,  // no NUL in the data, but one right behind it
};

// size bytes of letters ending as tail says, in a buffer one byte longer.
std::vector<std::uint8_t> MakeData(std::uint32_t size, Tail tail) {
    std::vector<std::uint8_t> data(size + 1);
    for (std::uint32_t i = 0; i < size; ++i) {
        data[i] = static_cast<std::uint8_t>('a' + i % 26);
    }
    if (tail == Tail::kEndsInNul && size > 0) {
        data[size - 1] = 0;
    }
    data[size] = tail == Tail::kNoNulNulBehind ? 0 : 'Z';
    return data;
}

bool IsStringType(std::uint32_t type) {
    return type == platform::kRegSz || type == platform::kRegExpandSz ||
           type == platform::kRegMultiSz;
}

using ValueCase = std::tuple<std::uint32_t, std::uint32_t, Tail>;  // type, size, tail

class ValueRoundTrip : public ScratchKeyTest, public ::testing::WithParamInterface<ValueCase> {};

// Every type, at sizes around the read buffer's, read back into that buffer.
TEST_P(ValueRoundTrip, ReadsBackAsWindowsStoresIt) {
    const auto [type, size, tail] = GetParam();
    const std::vector<std::uint8_t> data = MakeData(size, tail);
    ASSERT_EQ(platform::RegSet(scratch(), "Value", type, data.data(), size), kErrorSuccess);

    // For string types, Windows counts a NUL that the size left out but that
    // follows the data in memory.
    const bool nulCounted = IsStringType(type) && tail == Tail::kNoNulNulBehind && size > 0;
    const std::uint32_t stored = size + (nulCounted ? 1 : 0);

    std::uint32_t queriedType = 0;
    std::uint32_t neededSize = 0;
    EXPECT_EQ(platform::RegQuery(scratch(), "Value", &queriedType, nullptr, &neededSize),
              kErrorSuccess);
    EXPECT_EQ(queriedType, type);
    EXPECT_EQ(neededSize, stored);

    const QueryResult read = QueryValue(scratch(), "Value", kReadBuffer);
    EXPECT_EQ(read.type, type);
    EXPECT_EQ(read.size, stored);
    if (stored > kReadBuffer) {
        EXPECT_EQ(read.status, kErrorMoreData);
        return;
    }
    ASSERT_EQ(read.status, kErrorSuccess);
    EXPECT_TRUE(std::equal(data.begin(), data.begin() + stored, read.buffer.begin()));
    // String data without a NUL of its own gets one behind it, if it fits.
    const bool nulAppended =
        IsStringType(type) && stored > 0 && data[stored - 1] != 0 && stored < kReadBuffer;
    EXPECT_EQ(read.buffer[stored], nulAppended ? 0 : kUnwritten);
    EXPECT_EQ(read.buffer[stored + 1], kUnwritten);
}

std::string TypeName(std::uint32_t type) {
    switch (type) {
        case platform::kRegSz:
            return "Sz";
        case platform::kRegExpandSz:
            return "ExpandSz";
        case platform::kRegBinary:
            return "Binary";
        case platform::kRegDword:
            return "Dword";
        case platform::kRegMultiSz:
            return "MultiSz";
        default:
            return "None";
    }
}

std::string TailName(Tail tail) {
    switch (tail) {
        case Tail::kEndsInNul:
            return "EndsInNul";
        case Tail::kNoNul:
            return "NoNul";
        default:
            return "NoNulNulBehind";
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllTypesAndSizes, ValueRoundTrip,
    ::testing::Combine(::testing::Values(platform::kRegSz, platform::kRegExpandSz,
                                         platform::kRegBinary, platform::kRegDword,
                                         platform::kRegMultiSz, platform::kRegNone),
                       ::testing::Values(0u, 1u, 4u, 1023u, 1024u, 1025u),
                       ::testing::Values(Tail::kEndsInNul, Tail::kNoNul, Tail::kNoNulNulBehind)),
    [](const ::testing::TestParamInfo<ValueCase>& info) {
        return TypeName(std::get<0>(info.param)) + "_" + std::to_string(std::get<1>(info.param)) +
               "_" + TailName(std::get<2>(info.param));
    });

using RegistryValues = ScratchKeyTest;

TEST_F(RegistryValues, StringFromAStdStringKeepsItsTerminator) {
    // A std::string's characters are followed by its NUL, so a REG_SZ written
    // with size() bytes is stored with that NUL counted.
    const std::string path = "C:\\Tools\\Orbiquell.exe";
    ASSERT_EQ(path.size(), 22u);
    ASSERT_EQ(platform::RegSet(scratch(), "Run", platform::kRegSz,
                               reinterpret_cast<const std::uint8_t*>(path.c_str()), 22),
              kErrorSuccess);
    const QueryResult read = QueryValue(scratch(), "Run", kReadBuffer);
    ASSERT_EQ(read.status, kErrorSuccess);
    EXPECT_EQ(read.size, 23u);
    EXPECT_EQ(std::string(read.buffer.begin(), read.buffer.begin() + 23), path + '\0');
}

TEST_F(RegistryValues, TooSmallBufferReportsTheNeededSize) {
    const std::uint8_t data[] = {1, 2, 3, 4, 5};
    ASSERT_EQ(platform::RegSet(scratch(), "Bytes", platform::kRegBinary, data, 5), kErrorSuccess);
    const QueryResult read = QueryValue(scratch(), "Bytes", 2);
    EXPECT_EQ(read.status, kErrorMoreData);
    EXPECT_EQ(read.size, 5u);
    EXPECT_EQ(read.type, platform::kRegBinary);
}

TEST_F(RegistryValues, DwordOfTwoBytesIsStoredAsGiven) {
    const std::uint8_t data[] = {0x34, 0x12, 0x99};
    ASSERT_EQ(platform::RegSet(scratch(), "Short", platform::kRegDword, data, 2), kErrorSuccess);
    const QueryResult read = QueryValue(scratch(), "Short", kReadBuffer);
    ASSERT_EQ(read.status, kErrorSuccess);
    EXPECT_EQ(read.type, platform::kRegDword);
    EXPECT_EQ(read.size, 2u);
    EXPECT_EQ(read.buffer[0], 0x34);
    EXPECT_EQ(read.buffer[1], 0x12);
    EXPECT_EQ(read.buffer[2], kUnwritten);
}

TEST_F(RegistryValues, RewritingReplacesTypeAndData) {
    const std::uint32_t number = 0xFFFFFFFF;
    ASSERT_EQ(platform::RegSet(scratch(), "Value", platform::kRegDword,
                               reinterpret_cast<const std::uint8_t*>(&number), 4),
              kErrorSuccess);
    const std::uint8_t text[] = "1";
    ASSERT_EQ(platform::RegSet(scratch(), "Value", platform::kRegSz, text, 2), kErrorSuccess);
    const QueryResult read = QueryValue(scratch(), "Value", kReadBuffer);
    ASSERT_EQ(read.status, kErrorSuccess);
    EXPECT_EQ(read.type, platform::kRegSz);
    EXPECT_EQ(read.size, 2u);
    EXPECT_EQ(read.buffer[0], '1');
    EXPECT_EQ(read.buffer[1], 0);
}

TEST_F(RegistryValues, NullDataIsAllowedOnlyWithSizeZero) {
    EXPECT_EQ(platform::RegSet(scratch(), "Empty", platform::kRegSz, nullptr, 0), kErrorSuccess);
    const QueryResult read = QueryValue(scratch(), "Empty", kReadBuffer);
    EXPECT_EQ(read.status, kErrorSuccess);
    EXPECT_EQ(read.size, 0u);
    EXPECT_EQ(read.buffer[0], kUnwritten);

    EXPECT_EQ(platform::RegSet(scratch(), "Broken", platform::kRegBinary, nullptr, 3),
              kErrorNoAccess);
    EXPECT_EQ(QueryValue(scratch(), "Broken", kReadBuffer).status, kErrorFileNotFound);
}

TEST_F(RegistryValues, QueryArguments) {
    const std::uint8_t data[] = {9};
    ASSERT_EQ(platform::RegSet(scratch(), "One", platform::kRegBinary, data, 1), kErrorSuccess);
    // Type and size are optional; asking with neither only tests for the value.
    EXPECT_EQ(platform::RegQuery(scratch(), "One", nullptr, nullptr, nullptr), kErrorSuccess);
    EXPECT_EQ(platform::RegQuery(scratch(), "Two", nullptr, nullptr, nullptr), kErrorFileNotFound);
    // Data without a size to bound it is refused.
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(platform::RegQuery(scratch(), "One", nullptr, buffer, nullptr),
              kErrorInvalidParameter);
}

TEST_F(RegistryValues, ValueNamesIgnoreCase) {
    const std::uint8_t data[] = {1};
    ASSERT_EQ(platform::RegSet(scratch(), "HotCorners", platform::kRegBinary, data, 1),
              kErrorSuccess);
    EXPECT_EQ(QueryValue(scratch(), "HOTCORNERS", kReadBuffer).status, kErrorSuccess);
    EXPECT_EQ(platform::RegDeleteNamedValue(scratch(), "hotcorners"), kErrorSuccess);
    EXPECT_EQ(QueryValue(scratch(), "HotCorners", kReadBuffer).status, kErrorFileNotFound);
}

TEST_F(RegistryValues, AWideStringReadsBackThroughTheCodePage) {
    // Written with its NUL; read as ANSI, a character the code page lacks
    // becomes '?'.
    ASSERT_EQ(platform::RegSetWideString(scratch(), "Run", u"C:\\Tools\\Orbiquell.exe"),
              kErrorSuccess);
    QueryResult read = QueryValue(scratch(), "Run", kReadBuffer);
    EXPECT_EQ(read.type, platform::kRegSz);
    EXPECT_EQ(std::string(read.buffer.begin(), read.buffer.begin() + read.size),
              std::string("C:\\Tools\\Orbiquell.exe", 23));
    ASSERT_EQ(platform::RegSetWideString(scratch(), "Run", u"C:\\Ж\\O.exe"), kErrorSuccess);
    read = QueryValue(scratch(), "Run", kReadBuffer);
    EXPECT_EQ(std::string(read.buffer.begin(), read.buffer.begin() + read.size),
              std::string("C:\\?\\O.exe", 11));
}

TEST_F(RegistryValues, MissingValue) {
    const QueryResult read = QueryValue(scratch(), "Absent", kReadBuffer);
    EXPECT_EQ(read.status, kErrorFileNotFound);
    EXPECT_EQ(read.buffer[0], kUnwritten);
    EXPECT_EQ(platform::RegDeleteNamedValue(scratch(), "Absent"), kErrorFileNotFound);
}

}  // namespace
}  // namespace contract
