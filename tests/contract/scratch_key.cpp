#include "tests/contract/scratch_key.h"

namespace contract {

void ScratchKeyTest::SetUp() {
    RemoveScratchKey();
    platform::Handle probe = 0;
    ASSERT_EQ(platform::RegOpen(kCurrentUser, kScratchPath, &probe), platform::kErrorFileNotFound)
        << "a previous run left " << kScratchPath << " behind with unknown subkeys";
    ASSERT_EQ(platform::RegCreate(kCurrentUser, kScratchPath, &scratch_), platform::kErrorSuccess);
}

void ScratchKeyTest::TearDown() {
    EXPECT_EQ(platform::RegClose(scratch_), platform::kErrorSuccess);
    RemoveScratchKey();
    platform::Handle probe = 0;
    EXPECT_EQ(platform::RegOpen(kCurrentUser, kScratchPath, &probe), platform::kErrorFileNotFound)
        << "the test created a subkey the clean-up does not know";
}

std::string ScratchKeyTest::PathBelowRoot(const std::string& subKey) {
    return kScratchPath + "\\" + subKey;
}

bool ScratchKeyTest::SubKeyExists(const std::string& subKey) const {
    platform::Handle key = 0;
    if (platform::RegOpen(scratch_, subKey, &key) != platform::kErrorSuccess) {
        return false;
    }
    platform::RegClose(key);
    return true;
}

void ScratchKeyTest::RemoveScratchKey() {
    // Deepest first: a key with subkeys cannot be deleted.
    for (const char* subKey : {"Outer\\Inner\\Leaf", "Outer\\Inner", "Outer", "Plain"}) {
        platform::RegDeleteSubKey(kCurrentUser, PathBelowRoot(subKey));
    }
    platform::RegDeleteSubKey(kCurrentUser, kScratchPath);
}

QueryResult QueryValue(platform::Handle key, const std::string& name, std::uint32_t bufferSize) {
    QueryResult result;
    result.buffer.assign(bufferSize + kGuardBytes, kUnwritten);
    result.size = bufferSize;
    result.status = platform::RegQuery(key, name, &result.type, result.buffer.data(), &result.size);
    return result;
}

}  // namespace contract
