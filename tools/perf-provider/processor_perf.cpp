// A performance-counter provider DLL that gives Wine the Processor object
// Windows serves under HKEY_PERFORMANCE_DATA, which Wine itself lacks.
//
// Wine's advapi32 answers a performance-data query with a PERF_DATA_BLOCK and
// whatever the providers registered under
// HKLM\System\CurrentControlSet\Services\<service>\Performance collect.
// This one serves object 238 ("Processor") with the single counter 6, the
// idle time of each processor in 100 ns units (PERF_100NSEC_TIMER_INV), for
// one instance per processor named "0", "1", ... and a "_Total" instance. The
// figures are the host's own: the idle and iowait times of each processor in
// /proc/stat.
//
// tools/register-perf-provider installs and registers it in a Wine prefix.
#include <windows.h>
#include <winperf.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kProcessorObject = 238;
constexpr DWORD kProcessorObjectHelp = 239;
constexpr DWORD kIdleTimeCounter = 6;
constexpr DWORD kIdleTimeCounterHelp = 7;

// /proc/stat counts in ticks of USER_HZ = 100 per second, 100,000 units of
// 100 ns each.
constexpr std::int64_t kTickIn100ns = 100'000;
// Wine opens host paths under this prefix whatever drive letters the prefix
// maps.
constexpr wchar_t kProcStat[] = L"\\\\?\\unix\\proc\\stat";

// Each instance's counter block: its ByteLength, four spare bytes that keep
// the 64-bit counter on an 8-byte boundary, then the counter.
constexpr DWORD kCounterOffset = 8;
constexpr DWORD kCounterBlockLength = kCounterOffset + sizeof(std::int64_t);

struct Instance {
    std::wstring name;
    std::int64_t idle = 0;  // 100 ns units
};

DWORD Align8(std::size_t length) {
    return static_cast<DWORD>((length + 7) & ~std::size_t{7});
}

// The UTF-16 name with its terminator, padded to 8 bytes.
DWORD NameLength(const Instance& instance) {
    return static_cast<DWORD>((instance.name.size() + 1) * sizeof(wchar_t));
}

DWORD InstanceLength(const Instance& instance) {
    return sizeof(PERF_INSTANCE_DEFINITION) + Align8(NameLength(instance)) + kCounterBlockLength;
}

std::string ReadProcStat() {
    const HANDLE file = CreateFileW(kProcStat, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) {
        text.append(chunk, read);
    }
    CloseHandle(file);
    return text;
}

// The idle time of each processor line "cpuN user nice system idle iowait ..."
// in file order, which numbers the processors as Windows does. Time spent
// waiting for I/O is idle time, as Windows counts it.
std::vector<std::int64_t> IdleTimes(const std::string& procStat) {
    std::vector<std::int64_t> idle;
    std::size_t at = 0;
    while (at < procStat.size()) {
        std::size_t end = procStat.find('\n', at);
        if (end == std::string::npos) end = procStat.size();
        const std::string line = procStat.substr(at, end - at);
        at = end + 1;
        if (line.compare(0, 3, "cpu") != 0 || line.size() < 4 || line[3] < '0' || line[3] > '9') {
            continue;
        }
        // The processor's number, user, nice and system time, then idle and
        // iowait time.
        std::istringstream fields(line.substr(3));
        unsigned long long number = 0, user = 0, nice = 0, system = 0, idleTicks = 0, ioWait = 0;
        if (!(fields >> number >> user >> nice >> system >> idleTicks >> ioWait)) continue;
        idle.push_back(static_cast<std::int64_t>(idleTicks + ioWait) * kTickIn100ns);
    }
    return idle;
}

// The processors as Windows numbers them, and their total: the average, so
// that it reads like one processor. Never more processors than Windows
// programs are told there are (GetSystemInfo), since a reader counts its
// instances against that.
std::vector<Instance> Instances(std::vector<std::int64_t> idle) {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    if (idle.size() > system.dwNumberOfProcessors) idle.resize(system.dwNumberOfProcessors);
    std::vector<Instance> instances;
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < idle.size(); ++i) {
        instances.push_back({std::to_wstring(i), idle[i]});
        sum += idle[i];
    }
    if (!idle.empty()) {
        instances.push_back({L"_Total", sum / static_cast<std::int64_t>(idle.size())});
    }
    return instances;
}

DWORD ObjectLength(const std::vector<Instance>& instances) {
    DWORD length = sizeof(PERF_OBJECT_TYPE) + sizeof(PERF_COUNTER_DEFINITION);
    for (const Instance& instance : instances) length += InstanceLength(instance);
    return length;
}

// Lays the object out at `at`, which has room for ObjectLength bytes.
// sampleTime (a FILETIME) is the moment the counters were read; it becomes
// the object's time base, 10,000,000 units a second.
void WriteObject(BYTE* at, const std::vector<Instance>& instances, std::int64_t sampleTime) {
    const DWORD total = ObjectLength(instances);
    std::memset(at, 0, total);

    PERF_OBJECT_TYPE object{};
    object.TotalByteLength = total;
    object.DefinitionLength = sizeof(PERF_OBJECT_TYPE) + sizeof(PERF_COUNTER_DEFINITION);
    object.HeaderLength = sizeof(PERF_OBJECT_TYPE);
    object.ObjectNameTitleIndex = kProcessorObject;
    object.ObjectHelpTitleIndex = kProcessorObjectHelp;
    object.DetailLevel = PERF_DETAIL_NOVICE;
    object.NumCounters = 1;
    object.DefaultCounter = 0;
    object.NumInstances = static_cast<LONG>(instances.size());
    object.CodePage = 0;  // instance names are UTF-16
    object.PerfTime.QuadPart = sampleTime;
    object.PerfFreq.QuadPart = 10'000'000;
    std::memcpy(at, &object, sizeof object);

    PERF_COUNTER_DEFINITION counter{};
    counter.ByteLength = sizeof(PERF_COUNTER_DEFINITION);
    counter.CounterNameTitleIndex = kIdleTimeCounter;
    counter.CounterHelpTitleIndex = kIdleTimeCounterHelp;
    counter.DetailLevel = PERF_DETAIL_NOVICE;
    counter.CounterType = PERF_100NSEC_TIMER_INV;
    counter.CounterSize = sizeof(std::int64_t);
    counter.CounterOffset = kCounterOffset;
    std::memcpy(at + sizeof object, &counter, sizeof counter);

    BYTE* next = at + object.DefinitionLength;
    for (const Instance& instance : instances) {
        PERF_INSTANCE_DEFINITION definition{};
        definition.ByteLength = sizeof(PERF_INSTANCE_DEFINITION) + Align8(NameLength(instance));
        definition.UniqueID = PERF_NO_UNIQUE_ID;
        definition.NameOffset = sizeof(PERF_INSTANCE_DEFINITION);
        definition.NameLength = NameLength(instance);
        std::memcpy(next, &definition, sizeof definition);
        std::memcpy(next + definition.NameOffset, instance.name.c_str(), definition.NameLength);

        BYTE* block = next + definition.ByteLength;
        const DWORD blockLength = kCounterBlockLength;
        std::memcpy(block, &blockLength, sizeof blockLength);
        std::memcpy(block + kCounterOffset, &instance.idle, sizeof instance.idle);
        next = block + kCounterBlockLength;
    }
}

// Whether the query names the Processor object: "Global" (every ordinary
// object), or a list of object title indexes separated by spaces that holds
// 238. "Costly" and "Foreign" queries do not.
bool WantsProcessorObject(const wchar_t* query) {
    if (query == nullptr || *query == L'\0' || _wcsicmp(query, L"Global") == 0) return true;
    const wchar_t* at = query;
    while (*at != L'\0') {
        wchar_t* end = nullptr;
        const unsigned long index = std::wcstoul(at, &end, 10);
        if (end == at) return false;
        if (index == kProcessorObject) return true;
        at = end;
        while (*at == L' ') ++at;
    }
    return false;
}

bool IsDataBlockHeader(const BYTE* at, DWORD headerLength) {
    PERF_DATA_BLOCK block;
    std::memcpy(&block, at, sizeof block);
    return std::wmemcmp(block.Signature, L"PERF", 4) == 0 && block.LittleEndian == 1 &&
           block.SystemNameOffset == sizeof(PERF_DATA_BLOCK) && block.HeaderLength == headerLength;
}

// Where the object must go for a reader that walks the objects from the data
// block's HeaderLength.
//
// Wine 8 hands the first provider a pointer sizeof(PERF_DATA_BLOCK) (88)
// bytes beyond that point, while it counts the provider's bytes, the total
// length and the room left from that point. Data written where the pointer
// says would lie 88 bytes after where a reader looks, and its last 88 bytes
// beyond the returned length and possibly beyond the buffer. So when the data
// block's header lies exactly that far behind the pointer, the object goes
// into the gap, where the room Wine reported is really there.
//
// The header is recognised by its fields: its length is the 88-byte record
// plus the computer name Wine writes after it, padded to 8 bytes. The
// position without the gap is checked first, so that nothing before the
// header is read when Wine hands the right pointer.
BYTE* ObjectStart(BYTE* handed) {
    wchar_t name[256];
    DWORD nameChars = std::size(name);
    if (!GetComputerNameExW(ComputerNameNetBIOS, name, &nameChars)) return handed;
    const DWORD headerLength = sizeof(PERF_DATA_BLOCK) + Align8((nameChars + 1) * sizeof(wchar_t));
    if (IsDataBlockHeader(handed - headerLength, headerLength)) return handed;
    const DWORD gap = sizeof(PERF_DATA_BLOCK);
    if (IsDataBlockHeader(handed - headerLength - gap, headerLength)) return handed - gap;
    return handed;
}

}  // namespace

extern "C" {

__declspec(dllexport) DWORD WINAPI OpenProcessorData(LPWSTR /*devices*/) {
    return ERROR_SUCCESS;
}

__declspec(dllexport) DWORD WINAPI
    CollectProcessorData(LPWSTR query, LPVOID* data, LPDWORD size, LPDWORD objectCount) {
    *objectCount = 0;
    if (!WantsProcessorObject(query)) {
        *size = 0;
        return ERROR_SUCCESS;
    }
    BYTE* const start = ObjectStart(static_cast<BYTE*>(*data));
    // The counters are read last: once this returns, the caller stamps the
    // data block with the SystemTime that readers take as their moment. The
    // provider is registered under a service name Wine reaches last, so that
    // no other provider's work comes in between.
    const std::string procStat = ReadProcStat();
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::vector<Instance> instances = Instances(IdleTimes(procStat));
    if (instances.empty()) {
        *size = 0;
        return ERROR_SUCCESS;
    }
    const DWORD length = ObjectLength(instances);
    if (length > *size) {
        *size = 0;
        return ERROR_MORE_DATA;
    }
    WriteObject(start, instances,
                static_cast<std::int64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime);
    *data = start + length;
    *size = length;
    *objectCount = 1;
    return ERROR_SUCCESS;
}

__declspec(dllexport) DWORD WINAPI CloseProcessorData() {
    return ERROR_SUCCESS;
}

}  // extern "C"
