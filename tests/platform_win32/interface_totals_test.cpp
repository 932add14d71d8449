// The totals of the system's network interfaces, against traffic the test makes
// itself: the layout the sum reads must be the one Windows writes.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/platform.h"

namespace {

// Sends bytes from one loopback UDP socket to another and reads them.
void LoopbackTraffic(int bytes) {
    const SOCKET receiver = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    const SOCKET sender = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    ASSERT_NE(receiver, INVALID_SOCKET);
    ASSERT_NE(sender, INVALID_SOCKET);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(receiver, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    int length = sizeof address;
    getsockname(receiver, reinterpret_cast<sockaddr*>(&address), &length);
    std::vector<char> datagram(1000, 'x');
    for (int sent = 0; sent < bytes; sent += static_cast<int>(datagram.size())) {
        sendto(sender, datagram.data(), static_cast<int>(datagram.size()), 0,
               reinterpret_cast<sockaddr*>(&address), sizeof address);
        recv(receiver, datagram.data(), static_cast<int>(datagram.size()), 0);
    }
    closesocket(sender);
    closesocket(receiver);
}

TEST(ReadInterfaceTotals, LoopbackTrafficRaisesBothTotals) {
    WSADATA winsock;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &winsock), 0);
    const std::optional<platform::InterfaceTotals> before = platform::ReadInterfaceTotals();
    ASSERT_TRUE(before);
    LoopbackTraffic(200'000);
    // The counters may be a moment late.
    std::optional<platform::InterfaceTotals> after;
    for (int i = 0; i < 50; ++i) {
        after = platform::ReadInterfaceTotals();
        ASSERT_TRUE(after);
        if (after->received - before->received >= 100'000 &&
            after->sent - before->sent >= 100'000) {
            break;
        }
        Sleep(100);
    }
    EXPECT_GE(after->received - before->received, 100'000);
    EXPECT_GE(after->sent - before->sent, 100'000);
    WSACleanup();
}

}  // namespace
