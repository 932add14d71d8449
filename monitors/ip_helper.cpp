#include "monitors/ip_helper.h"

#include "platform/platform.h"

bool CIpHelper::ReadInterfaceTotals() {
    mBytesReceived = 0;
    mBytesSent = 0;
    const std::optional<platform::InterfaceTotals> totals = platform::ReadInterfaceTotals();
    if (!totals) return false;
    mBytesReceived = totals->received;
    mBytesSent = totals->sent;
    return true;
}

void CIpHelper::Update() {
    if (!ReadInterfaceTotals()) return;
    if (LastReceived != 0 && LastSent != 0) {
        bRX = BytesReceived() > LastReceived;
        bTX = BytesSent() > LastSent;
    }
    LastReceived = BytesReceived();
    LastSent = BytesSent();
}
