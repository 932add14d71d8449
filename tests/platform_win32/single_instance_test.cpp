#include <windows.h>

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

// The only call of the claim in this program: it is made once per process.
TEST(IsPreviousInstanceRunning, ANameHeldByAnotherKindOfObjectIsNotAFreeClaim) {
    // The system refuses a mutex of a name an event already has.
    const HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, "Orbiquell.SingleInstance");
    ASSERT_NE(squatter, nullptr);
    EXPECT_TRUE(platform::IsPreviousInstanceRunning());
    CloseHandle(squatter);
}

}  // namespace
