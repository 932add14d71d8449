#include "monitors/ip_helper.h"

#include <vector>

#include "monitors/interface_table.h"
#include "platform/platform.h"

namespace {

constexpr std::uint32_t kNoError = 0;

}  // namespace

bool CIpHelper::ReadInterfaceTotals() {
    mBytesReceived = 0;
    mBytesSent = 0;

    std::uint32_t size = 0;
    if (platform::InterfaceTable(nullptr, &size, false) == platform::kErrorNotSupported) {
        return false;
    }
    std::vector<std::uint8_t> table(size);
    if (platform::InterfaceTable(table.data(), &size, false) != kNoError) return true;

    // The table is read only within the buffer it was written into. A row count
    // that reaches past it, or a reported size too small for even the count,
    // makes the whole table untrustworthy: rather than sum the rows that fit,
    // it is treated like a failed table call, with totals of 0.
    if (const std::optional<InterfaceTotals> totals =
            SumInterfaceTable(table.data(), table.size())) {
        mBytesReceived = totals->received;
        mBytesSent = totals->sent;
    }
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
