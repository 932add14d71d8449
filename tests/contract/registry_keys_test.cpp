// Opening, creating, deleting and closing registry keys.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/contract/scratch_key.h"

namespace contract {
namespace {

using platform::Handle;
using platform::kErrorAccessDenied;
using platform::kErrorFileNotFound;
using platform::kErrorSuccess;

// Stores a DWORD through one handle so another handle can show it is the same key.
void MarkKey(Handle key, std::uint32_t mark) {
    ASSERT_EQ(platform::RegSet(key, "Mark", platform::kRegDword,
                               reinterpret_cast<const std::uint8_t*>(&mark), sizeof mark),
              kErrorSuccess);
}

std::uint32_t ReadMark(Handle key) {
    std::uint32_t mark = 0;
    std::uint32_t size = sizeof mark;
    std::uint32_t type = 0;
    EXPECT_EQ(platform::RegQuery(key, "Mark", &type, reinterpret_cast<std::uint8_t*>(&mark), &size),
              kErrorSuccess);
    return mark;
}

using RegistryKeys = ScratchKeyTest;

TEST_F(RegistryKeys, CreateMakesEveryMissingKeyOnThePath) {
    Handle leaf = 0;
    ASSERT_EQ(platform::RegCreate(scratch(), "Outer\\Inner\\Leaf", &leaf), kErrorSuccess);
    EXPECT_NE(leaf, 0u);
    EXPECT_EQ(platform::RegClose(leaf), kErrorSuccess);

    Handle inner = 0;
    ASSERT_EQ(platform::RegOpen(kCurrentUser, PathBelowRoot("Outer\\Inner"), &inner),
              kErrorSuccess);
    EXPECT_EQ(platform::RegClose(inner), kErrorSuccess);
}

TEST_F(RegistryKeys, CreateOfAnExistingKeyKeepsItsValues) {
    Handle first = 0;
    ASSERT_EQ(platform::RegCreate(scratch(), "Plain", &first), kErrorSuccess);
    MarkKey(first, 41);
    Handle second = 0;
    ASSERT_EQ(platform::RegCreate(scratch(), "Plain", &second), kErrorSuccess);
    EXPECT_EQ(ReadMark(second), 41u);
    EXPECT_EQ(platform::RegClose(first), kErrorSuccess);
    EXPECT_EQ(platform::RegClose(second), kErrorSuccess);
}

TEST_F(RegistryKeys, OpenOfAMissingKeyFailsAndCreatesNothing) {
    Handle key = 0x777;
    EXPECT_EQ(platform::RegOpen(scratch(), "Outer\\Inner", &key), kErrorFileNotFound);
    EXPECT_EQ(key, 0u);
    EXPECT_FALSE(SubKeyExists("Outer"));
}

TEST_F(RegistryKeys, KeyNamesIgnoreCase) {
    Handle created = 0;
    ASSERT_EQ(platform::RegCreate(scratch(), "Outer\\Inner", &created), kErrorSuccess);
    MarkKey(created, 7);

    Handle opened = 0;
    ASSERT_EQ(
        platform::RegOpen(kCurrentUser, "SOFTWARE\\orbiquellcontracttest\\oUTER\\INNER", &opened),
        kErrorSuccess);
    EXPECT_EQ(ReadMark(opened), 7u);
    EXPECT_EQ(platform::RegClose(opened), kErrorSuccess);
    EXPECT_EQ(platform::RegClose(created), kErrorSuccess);

    EXPECT_EQ(platform::RegDeleteSubKey(scratch(), "OUTER\\inner"), kErrorSuccess);
    EXPECT_FALSE(SubKeyExists("Outer\\Inner"));
}

TEST_F(RegistryKeys, DeleteRefusesAKeyWithSubkeys) {
    Handle inner = 0;
    ASSERT_EQ(platform::RegCreate(scratch(), "Outer\\Inner", &inner), kErrorSuccess);
    ASSERT_EQ(platform::RegClose(inner), kErrorSuccess);

    EXPECT_EQ(platform::RegDeleteSubKey(scratch(), "Outer"), kErrorAccessDenied);
    EXPECT_TRUE(SubKeyExists("Outer\\Inner"));

    // Deepest first succeeds, through a handle as through a root and full path.
    EXPECT_EQ(platform::RegDeleteSubKey(scratch(), "Outer\\Inner"), kErrorSuccess);
    EXPECT_EQ(platform::RegDeleteSubKey(kCurrentUser, PathBelowRoot("Outer")), kErrorSuccess);
    EXPECT_FALSE(SubKeyExists("Outer"));
}

TEST_F(RegistryKeys, DeleteOfAMissingKeyReportsFileNotFound) {
    EXPECT_EQ(platform::RegDeleteSubKey(scratch(), "Plain"), kErrorFileNotFound);
    EXPECT_EQ(platform::RegDeleteSubKey(scratch(), "Plain\\Inner"), kErrorFileNotFound);
}

TEST_F(RegistryKeys, PathSeparators) {
    Handle key = 0;
    ASSERT_EQ(platform::RegCreate(scratch(), "Outer\\Inner\\", &key), kErrorSuccess);
    EXPECT_EQ(platform::RegClose(key), kErrorSuccess);
    EXPECT_TRUE(SubKeyExists("Outer\\Inner"));

    // Separators in a row count as one.
    ASSERT_EQ(platform::RegOpen(scratch(), "Outer\\\\Inner", &key), kErrorSuccess);
    EXPECT_EQ(platform::RegClose(key), kErrorSuccess);

    // A leading separator is refused outright, creating nothing.
    key = 0x777;
    EXPECT_EQ(platform::RegOpen(scratch(), "\\Outer", &key), kErrorBadPathname);
    EXPECT_EQ(key, 0u);
    key = 0x777;
    EXPECT_EQ(platform::RegCreate(scratch(), "\\Plain", &key), kErrorBadPathname);
    EXPECT_EQ(key, 0u);
    EXPECT_FALSE(SubKeyExists("Plain"));
}

TEST_F(RegistryKeys, EmptySubKeyNamesTheKeyItself) {
    // Opening hands back the very handle passed in, with nothing new to close.
    Handle same = 0;
    ASSERT_EQ(platform::RegOpen(scratch(), "", &same), kErrorSuccess);
    EXPECT_EQ(same, scratch());

    // Creating opens a second handle to the same key.
    Handle second = 0;
    ASSERT_EQ(platform::RegCreate(scratch(), "", &second), kErrorSuccess);
    EXPECT_NE(second, scratch());
    MarkKey(second, 3);
    EXPECT_EQ(ReadMark(scratch()), 3u);
    EXPECT_EQ(platform::RegClose(second), kErrorSuccess);
}

TEST_F(RegistryKeys, ClosedHandleIsInvalid) {
    Handle key = 0;
    ASSERT_EQ(platform::RegCreate(scratch(), "Plain", &key), kErrorSuccess);
    ASSERT_EQ(platform::RegClose(key), kErrorSuccess);

    EXPECT_EQ(platform::RegClose(key), kErrorInvalidHandle);
    std::uint32_t size = 0;
    EXPECT_EQ(platform::RegQuery(key, "Mark", nullptr, nullptr, &size), kErrorInvalidHandle);
}

TEST_F(RegistryKeys, HandleToADeletedKeyReportsKeyDeleted) {
    Handle key = 0;
    ASSERT_EQ(platform::RegCreate(scratch(), "Plain", &key), kErrorSuccess);
    MarkKey(key, 5);
    ASSERT_EQ(platform::RegDeleteSubKey(scratch(), "Plain"), kErrorSuccess);

    std::uint32_t size = 0;
    EXPECT_EQ(platform::RegQuery(key, "Mark", nullptr, nullptr, &size), kErrorKeyDeleted);
    const std::uint8_t byte = 1;
    EXPECT_EQ(platform::RegSet(key, "Mark", platform::kRegBinary, &byte, 1), kErrorKeyDeleted);
    EXPECT_EQ(platform::RegDeleteNamedValue(key, "Mark"), kErrorKeyDeleted);
    Handle child = 0;
    EXPECT_EQ(platform::RegCreate(key, "Outer", &child), kErrorKeyDeleted);
    EXPECT_EQ(platform::RegOpen(key, "Outer", &child), kErrorKeyDeleted);
    EXPECT_EQ(platform::RegClose(key), kErrorSuccess);
    EXPECT_FALSE(SubKeyExists("Plain"));
}

TEST_F(RegistryKeys, ClosingAPredefinedRootIsHarmless) {
    EXPECT_EQ(platform::RegClose(kCurrentUser), kErrorSuccess);
    Handle key = 0;
    ASSERT_EQ(platform::RegOpen(kCurrentUser, kScratchPath, &key), kErrorSuccess);
    EXPECT_EQ(platform::RegClose(key), kErrorSuccess);
}

}  // namespace
}  // namespace contract
