// Blocks of performance data laid out byte for byte as HKEY_PERFORMANCE_DATA
// serves them, with a map of where each record landed so that tests can damage
// one field at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace perfdata {

constexpr std::int32_t kProcessorObject = 238;
constexpr std::int32_t kProcessorTime = 6;  // the idle-time counter

// Field offsets within the records, for damaging them.
constexpr std::size_t kBlockTotalByteLength = 20;
constexpr std::size_t kBlockHeaderLength = 24;
constexpr std::size_t kBlockNumObjectTypes = 28;
constexpr std::size_t kBlockSystemTime = 36;
constexpr std::size_t kObjectTotalByteLength = 0;
constexpr std::size_t kObjectDefinitionLength = 4;
constexpr std::size_t kObjectHeaderLength = 8;
constexpr std::size_t kObjectNameTitleIndex = 12;
constexpr std::size_t kObjectNumCounters = 32;
constexpr std::size_t kObjectNumInstances = 40;
constexpr std::size_t kCounterByteLength = 0;
constexpr std::size_t kCounterNameTitleIndex = 4;
constexpr std::size_t kCounterOffset = 36;
constexpr std::size_t kInstanceByteLength = 0;
constexpr std::size_t kInstanceNameOffset = 16;
constexpr std::size_t kInstanceNameLength = 20;
constexpr std::size_t kCounterBlockByteLength = 0;

struct Instance {
    std::u16string name;
    std::int64_t idleTime = 0;
};

struct Object {
    std::int32_t titleIndex = kProcessorObject;
    // The title indexes of its counters, in order. Each instance holds a value
    // for each; those of counters other than the idle-time one are filler.
    std::vector<std::int32_t> counters = {kProcessorTime};
    // None: an object without instances (NumInstances -1), followed by one
    // counter block of its own, as Windows lays out the Memory object.
    std::vector<Instance> instances;
};

struct Block {
    platform::SystemTime time{2005, 12, 2, 6, 8, 4, 9, 123};
    std::vector<Object> objects;
    // Zero bytes appended after the last object up to this size, so that a
    // block can be made exactly as large as a test needs.
    std::size_t minimumSize = 0;
};

// A built block and the offsets of its records.
struct Built {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> objects;
    // Within the first object with the Processor title index:
    std::size_t processor = 0;
    std::vector<std::size_t> counterDefinitions;
    std::vector<std::size_t> instances;
    std::vector<std::size_t> counterBlocks;  // one for each instance
};

Built Build(const Block& block);

// The block a Windows NT machine serves for "238": System and Memory objects
// (no instances) and then the Processor object with the counters % Processor
// Time (6), % User Time (142) and % Privileged Time (144), one instance "0",
// "1", ... per idle time given and the "_Total" instance last.
Block ProcessorBlock(const std::vector<std::int64_t>& idleTimes,
                     const platform::SystemTime& time = platform::SystemTime{2005, 12, 2, 6, 8, 4,
                                                                             9, 123});

// Little-endian writes into built bytes, for damaging a field.
void PutLong(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value);
void PutWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value);

}  // namespace perfdata
