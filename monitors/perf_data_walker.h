// Finding the processors' idle-time counters in a block of performance data,
// as HKEY_PERFORMANCE_DATA returns it for the Processor object ("238").
//
// The block is a PERF_DATA_BLOCK followed by its objects; each object is a
// PERF_OBJECT_TYPE, its PERF_COUNTER_DEFINITIONs and then its instances, each
// a PERF_INSTANCE_DEFINITION with its name, followed by a PERF_COUNTER_BLOCK
// holding the instance's counters. Every record says how long it is and where
// the next one starts.
//
// Those lengths and offsets come from the system (from every performance
// provider installed on it, in fact), and a faulty provider or a short read
// can leave them pointing anywhere. So, unlike a walk that follows them
// blindly, every offset and length is checked against the bytes actually
// returned before it is used: data that does not hold together raises
// CorruptPerfDataError instead of reading outside the buffer, and a record
// length too small to move the walk on is refused instead of looping on the
// same record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/runtime_error.h"
#include "platform/platform.h"

// Performance data whose offsets, lengths, counts or time stamp do not fit the
// bytes it came in: the subscript error that reading past them would be.
class CorruptPerfDataError : public RuntimeError {
  public:
    explicit CorruptPerfDataError(const std::string& detail)
        : RuntimeError(kErrSubscriptOutOfRange, detail) {}
};

// The block's time stamp and where its Processor object starts.
struct ProcessorObject {
    platform::SystemTime systemTime;
    std::size_t offset = 0;  // of the object's PERF_OBJECT_TYPE from the block's start
};

// The idle-time counter of one processor instance.
struct ProcessorCounter {
    // The instance's name read as a decimal number: 0, 1, ... (capped at
    // 2^40, far beyond any processor count).
    std::int64_t instance = 0;
    std::int64_t idleTime = 0;  // in 100-nanosecond units
};

// Checks the "PERF" signature of the size bytes at data and walks the objects
// to the Processor object (title index 238). Raises CPULoadError 8006 when the
// bytes do not begin with the signature (fewer than its 8 bytes included) and
// 8004 when no object has the index; CorruptPerfDataError for data that does
// not fit.
ProcessorObject LocateProcessorObject(const std::uint8_t* data, std::size_t size);

// The idle-time counter (title index 6) of every instance of the Processor
// object at object.offset whose name is a number, in the order the instances
// come; instances with other names (the "_Total" one) are passed over. Raises
// CPULoadError 8005 when the object has no such counter; CorruptPerfDataError
// for data that does not fit.
std::vector<ProcessorCounter> ReadProcessorCounters(const std::uint8_t* data, std::size_t size,
                                                    const ProcessorObject& object);
