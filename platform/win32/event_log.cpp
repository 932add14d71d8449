// The System log's start records, through the event log API of Windows Vista
// and later.
#include <algorithm>
#include <optional>
#include <vector>

#include "platform/win32/run_time_link.h"
// winevt.h needs windows.h before it; it is used for its types and constants
// alone, since every function is looked up.
#include <winevt.h>

namespace platform {

namespace {

// EvtQuery has no time limit of its own, but EvtNext has: this is all the
// records may take together, so that a huge log or a slow service cannot hold
// up the start for long. Past it the counters' own figure stands.
constexpr DWORD kReadBudgetMs = 1500;
// A start record renders to about a kilobyte; anything much longer is not one.
constexpr DWORD kMostXmlBytes = 64 * 1024;

// wevtapi.dll exists from Vista on, and an import of it would keep the exe from
// starting on anything older, so its functions are looked up, once.
struct EventLogApi {
    decltype(&EvtQuery) query = nullptr;
    decltype(&EvtNext) next = nullptr;
    decltype(&EvtRender) render = nullptr;
    decltype(&EvtClose) close = nullptr;
};

const EventLogApi& Api() {
    static const EventLogApi api = [] {
        const HMODULE module = win32::LoadSystemLibrary("wevtapi.dll");
        EventLogApi found;
        found.query = win32::FindFunction<decltype(&EvtQuery)>(module, "EvtQuery");
        found.next = win32::FindFunction<decltype(&EvtNext)>(module, "EvtNext");
        found.render = win32::FindFunction<decltype(&EvtRender)>(module, "EvtRender");
        found.close = win32::FindFunction<decltype(&EvtClose)>(module, "EvtClose");
        return found;
    }();
    return api;
}

// One handle of the API, closed when it goes out of scope.
class EventHandle {
  public:
    explicit EventHandle(EVT_HANDLE handle) : handle_(handle) {}
    ~EventHandle() {
        if (handle_ != nullptr) Api().close(handle_);
    }
    EventHandle(const EventHandle&) = delete;
    EventHandle& operator=(const EventHandle&) = delete;

    EVT_HANDLE get() const { return handle_; }

  private:
    EVT_HANDLE handle_;
};

// The event as XML text, or nothing when it cannot be rendered or is too long
// to be a start record.
std::optional<std::u16string> RenderXml(EVT_HANDLE event) {
    DWORD used = 0;
    DWORD properties = 0;
    // The first call only asks for the size, in bytes with the terminator.
    if (Api().render(nullptr, event, EvtRenderEventXml, 0, nullptr, &used, &properties) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || used == 0 || used > kMostXmlBytes) {
        return std::nullopt;
    }
    std::vector<WCHAR> buffer((used + sizeof(WCHAR) - 1) / sizeof(WCHAR));
    const auto size = static_cast<DWORD>(buffer.size() * sizeof(WCHAR));
    if (!Api().render(nullptr, event, EvtRenderEventXml, size, buffer.data(), &used, &properties)) {
        return std::nullopt;
    }
    // The text ends at its terminator, or at the end of what was written.
    buffer.resize(std::min<std::size_t>(used / sizeof(WCHAR), buffer.size()));
    return std::u16string(buffer.begin(), std::find(buffer.begin(), buffer.end(), L'\0'));
}

}  // namespace

void VisitBootRecords(int most, const std::function<bool(const std::u16string& xml)>& visit) {
    const EventLogApi& api = Api();
    if (api.query == nullptr || api.next == nullptr || api.render == nullptr ||
        api.close == nullptr) {
        return;
    }
    // Newest first, and only the Kernel-Boot provider's event 27: the log
    // service does the filtering.
    const EventHandle results(
        api.query(nullptr, L"System",
                  L"*[System[Provider[@Name='Microsoft-Windows-Kernel-Boot'] and EventID=27]]",
                  EvtQueryChannelPath | EvtQueryReverseDirection));
    // No such log, no right to read it, or (under Wine) no working API.
    if (results.get() == nullptr) return;

    const DWORD started = GetTickCount();
    for (int read = 0; read < most; ++read) {
        // Unsigned arithmetic: right across the tick count's wrap as well.
        const DWORD spent = GetTickCount() - started;
        if (spent >= kReadBudgetMs) return;
        EVT_HANDLE next = nullptr;
        DWORD returned = 0;
        const BOOL ok = api.next(results.get(), 1, &next, kReadBudgetMs - spent, 0, &returned);
        const EventHandle event(next);
        // No more records, the time is up, or the read failed.
        if (!ok || returned != 1 || event.get() == nullptr) return;
        const std::optional<std::u16string> xml = RenderXml(event.get());
        if (!xml || !visit(*xml)) return;
    }
}

}  // namespace platform
