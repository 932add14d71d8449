// resources CLASS: how many windows and GDI objects the process that owns a
// top-level window of CLASS holds, for watching a long run for leaks.
//
// Wine's GetGuiResources is a stub that answers 0, so the GDI objects are
// counted in the process's own GDI handle table instead: Wine keeps one per
// process in the layout Windows gives the table, and points the process
// environment block at it.
#include "commands.h"
#include "window_access.h"
// winternl.h needs windows.h (from window_access.h) before it.
#include <winternl.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace probe {
namespace {

// One slot of the table, the same size for 32-bit and 64-bit processes.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint8_t extendedType;  // the kind; top bit: a stock object, shared by all
    std::uint8_t generation;
    std::uint8_t type;  // 0: a free slot
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "the table's slots are 24 bytes");
constexpr std::size_t kGdiHandleCount = 0x10000;
// Where the environment block keeps the table's address.
constexpr SIZE_T kGdiTableField = sizeof(void*) == 8 ? 0xF8 : 0x94;

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// The kinds of Wine's table (the type bits of a handle); nullptr for one not
// named here.
const char* KindName(unsigned kind) {
    switch (kind) {
        case 0x01:
            return "dc";
        case 0x04:
            return "region";
        case 0x05:
            return "surface";
        case 0x08:
            return "palette";
        case 0x09:
            return "bitmap";
        case 0x0a:
            return "font";
        case 0x10:
            return "brush";
        case 0x30:
            return "pen";
        case 0x41:
            return "memory-dc";
        case 0x50:
            return "extpen";
        default:
            return nullptr;
    }
}

// The process's GDI objects other than the stock ones by kind, or false when
// the table cannot be read (another bitness than the probe's, or no table).
bool CountGdiObjects(DWORD pid, std::map<std::string, long>& kinds) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process) return false;
    BOOL targetWow64 = FALSE, ownWow64 = FALSE;
    IsWow64Process(process.get(), &targetWow64);
    IsWow64Process(GetCurrentProcess(), &ownWow64);
    if (targetWow64 != ownWow64) return false;
    PROCESS_BASIC_INFORMATION basic = {};
    if (NtQueryInformationProcess(process.get(), ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0)
        return false;
    void* table = nullptr;
    if (!ReadProcessMemory(process.get(),
                           reinterpret_cast<char*>(basic.PebBaseAddress) + kGdiTableField, &table,
                           sizeof table, nullptr) ||
        !table)
        return false;
    std::vector<GdiHandleEntry> entries(kGdiHandleCount);
    if (!ReadProcessMemory(process.get(), table, entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), nullptr))
        return false;
    for (const GdiHandleEntry& entry : entries)
        if (entry.type != 0 && !(entry.extendedType & 0x80)) {
            const char* name = KindName(entry.extendedType);
            char code[8];
            std::snprintf(code, sizeof code, "0x%02x", entry.extendedType);
            ++kinds[name ? name : code];
        }
    return true;
}

void CountTree(HWND window, DWORD pid, long& count) {
    if (ProcessOf(window) == pid) ++count;
    for (HWND child : ChildWindows(window)) CountTree(child, pid, count);
}

}  // namespace

int CommandResources(const wchar_t* className) {
    HWND owner = FindWindowW(className, nullptr);
    if (!owner) return 1;
    DWORD pid = ProcessOf(owner);
    long windows = 0;
    for (HWND window : TopLevelWindows()) CountTree(window, pid, windows);
    // Message-only windows are not top-level windows of the desktop.
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
        CountTree(window, pid, windows);
    std::map<std::string, long> kinds;
    if (!CountGdiObjects(pid, kinds)) {
        std::printf("resources\tpid=%lu\twindows=%ld\tgdi=unknown\n", pid, windows);
        return 1;
    }
    long gdi = 0;
    std::string split;
    for (const auto& [kind, count] : kinds) {
        gdi += count;
        split += (split.empty() ? "" : ",") + kind + ":" + std::to_string(count);
    }
    std::printf("resources\tpid=%lu\twindows=%ld\tgdi=%ld\tkinds=%s\n", pid, windows, gdi,
                split.c_str());
    return 0;
}

}  // namespace probe
