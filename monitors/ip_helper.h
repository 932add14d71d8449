// Whether the computer received or sent network data since the last look.
#pragma once

#include <cstdint>

// Totals the byte counters of all network interfaces, the loopback interface
// included, and tells on each Update whether either total rose since the
// previous one. Activity is strictly a rise: a total that stays or falls (an
// interface removed, a counter reset) is no activity.
class CIpHelper {
  public:
    // Received (bRX) or sent (bTX) total rose at the last Update that
    // compared totals.
    bool bRX = false;
    bool bTX = false;

    // The totals of the last table read; 0 when the table could not be read.
    std::int32_t BytesReceived() const { return mBytesReceived; }
    std::int32_t BytesSent() const { return mBytesSent; }

    // Reads the totals and sets the flags from their rise. Totals are compared
    // only when both previous ones are non-zero, so the first Update, and the
    // one after a failed read, leave the flags as they are. When the system
    // has no interface table at all, nothing changes.
    void Update();

  private:
    // False only when the system does not support the interface table; any
    // other failure leaves totals of 0 and still counts as a read.
    bool ReadInterfaceTotals();

    std::int32_t mBytesReceived = 0;
    std::int32_t mBytesSent = 0;
    std::int32_t LastReceived = 0;
    std::int32_t LastSent = 0;
};
