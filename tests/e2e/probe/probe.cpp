// orbiquell-probe: looks into Wine's virtual desktop on behalf of the end-to-end
// test scripts.
//
// X tools see Wine's whole desktop as one X window, so they cannot tell which
// Windows window is where or what it says. This console program runs inside the
// same desktop and answers with Win32 calls instead. Every command prints one
// line per thing found, as tab-separated key=value fields (text fields last and
// in UTF-8), and exits 0 when it found what was asked for, 1 when not, 2 on
// bad usage.
//
//   windows [CLASS]       top-level windows (optionally of one class)
//   tree                  every window of the desktop, indented by depth
//   tray                  the icons of the notification area: screen rectangle
//                         and tip text of each, read from the tray's tooltips;
//                         displayed=0 marks a removed icon whose tooltip Wine keeps
//   tooltips              visible tooltip windows and the text they show
//   dialog TITLE          a visible dialog with this caption: its controls, and
//                         which standard icon its icon control shows
//   close CLASS           posts WM_CLOSE to every top-level window of CLASS
//   interfaces            the rows of the network interface table (GetIfTable):
//                         index, type, byte counters and description of each
//   controls CLASS        a top-level window of CLASS, a visible one if any: its
//                         rectangle, client area and title-bar minimise button on
//                         the screen, then every window inside it (class, id,
//                         text, screen rectangle, visible, enabled, check state)
//                         and the tabs of each tab control
//   record FILE ARGS...   appends ARGS as one tab-separated line to FILE, for
//                         registering the probe as a program others start
//   resources CLASS       the number of windows and of GDI objects (stock ones
//                         aside, also by kind) of the process that owns a
//                         window of CLASS
//   forget-icon CLASS ID [broadcast]
//                         deletes the tray icon ID of the window of CLASS, with
//                         broadcast sends "TaskbarCreated" as a restarted shell
//                         does, and prints the ms until the icon is back (10 s
//                         at most)
//   dpi-changed CLASS NEW OLD
//                         sends WM_DPICHANGED with NEW DPI to a window of
//                         CLASS, suggesting its rectangle scaled by NEW / OLD
//   fill-screen           a see-through window without frame that fills the
//                         screen from the front, as a game does, until closed
//   lock-key KEY          makes HKLM\\PATH or HKCU\\PATH readable only, in both
//                         registry views, for the rest of the Wine session
//   hold-file PATH [CLASS]
//                         holds the file open, shared with nobody, until ended;
//                         with CLASS, has a hidden window of that class that
//                         never answers, as a hung program
//   focus                 the foreground window, and the active, focus and
//                         capture windows of its thread and whether it is in a
//                         menu: where mouse and keyboard input goes
// Wide-character API throughout: the texts read from other windows are Unicode.
#include "commands.h"
#include "window_access.h"
// commctrl.h and iphlpapi.h need windows.h (from window_access.h) before them.
#include <commctrl.h>
#include <iphlpapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace probe {
namespace {

void PrintWindow(const char* kind, HWND window, int depth) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    std::printf(
        "%*s%s\thwnd=%s\tclass=%s\tpid=%lu\tvisible=%d\trect=%s\towner=%s\tid=%ld\ttext=%s\n",
        depth * 2, "", kind, HandleText(window).c_str(), Utf8(ClassOf(window)).c_str(),
        ProcessOf(window), IsWindowVisible(window) ? 1 : 0, RectText(rect).c_str(),
        HandleText(GetWindow(window, GW_OWNER)).c_str(),
        static_cast<long>(GetWindowLongPtrW(window, GWLP_ID)), Utf8(TextOf(window)).c_str());
}

int CommandWindows(const wchar_t* className) {
    int found = 0;
    for (HWND w : TopLevelWindows()) {
        if (className && ClassOf(w) != className) continue;
        PrintWindow("window", w, 0);
        ++found;
    }
    return found ? 0 : 1;
}

void PrintTree(HWND window, int depth) {
    PrintWindow("window", window, depth);
    for (HWND child : ChildWindows(window)) PrintTree(child, depth + 1);
}

int CommandTree() {
    PrintTree(GetDesktopWindow(), 0);
    return 0;
}

bool IsTrayWindow(HWND window) {
    std::wstring name = ClassOf(window);
    // Wine's taskbar draws the icons itself; newer Wine versions give each icon a
    // window of its own. Either kind owns the tooltips of the icons.
    return name == L"Shell_TrayWnd" || name == L"__wine_tray_icon";
}

int CommandTray() {
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray) {
        std::printf("error\tno notification area (Shell_TrayWnd) on this desktop\n");
        return 1;
    }
    RECT trayRect = {};
    GetWindowRect(tray, &trayRect);
    std::printf("tray\thwnd=%s\tpid=%lu\tvisible=%d\trect=%s\n", HandleText(tray).c_str(),
                ProcessOf(tray), IsWindowVisible(tray) ? 1 : 0, RectText(trayRect).c_str());

    int icons = 0;
    for (HWND tip : TopLevelWindows()) {
        if (ClassOf(tip) != TOOLTIPS_CLASSW) continue;
        HWND owner = GetWindow(tip, GW_OWNER);
        if (!owner || !IsTrayWindow(owner)) continue;

        constexpr SIZE_T kTextOffset = 512;
        constexpr SIZE_T kTextChars = 1024;
        RemoteBuffer remote(ProcessOf(tip), kTextOffset + kTextChars * sizeof(wchar_t));
        if (!remote.ok()) {
            std::printf("error\tcannot reach the memory of process %lu\n", ProcessOf(tip));
            return 1;
        }
        LRESULT count = SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            TTTOOLINFOW info = {};
            info.cbSize = sizeof info;
            info.lpszText = reinterpret_cast<wchar_t*>(remote.at(kTextOffset));
            wchar_t empty = 0;
            if (!remote.write(0, &info, sizeof info) || !remote.write(kTextOffset, &empty, 2)) {
                return 1;
            }
            if (!SendMessageW(tip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                              reinterpret_cast<LPARAM>(remote.at(0)))) {
                continue;
            }
            std::vector<wchar_t> text(kTextChars, L'\0');
            if (!remote.read(0, &info, sizeof info) ||
                !remote.read(kTextOffset, text.data(), (kTextChars - 1) * sizeof(wchar_t))) {
                return 1;
            }
            // The tool's rectangle is in client coordinates of its window, unless the
            // tool is a whole window.
            RECT rect = info.rect;
            if (info.uFlags & TTF_IDISHWND) {
                GetWindowRect(reinterpret_cast<HWND>(info.uId), &rect);
            } else {
                MapWindowPoints(info.hwnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
            }
            // Wine keeps the tooltip of a deleted icon, with an empty rectangle.
            RECT inside = {};
            bool displayed = IntersectRect(&inside, &rect, &trayRect) && EqualRect(&inside, &rect);
            std::printf("icon\tdisplayed=%d\trect=%s\ttooltip=%s\tshown=%d\ttip=%s\n",
                        displayed ? 1 : 0, RectText(rect).c_str(), HandleText(tip).c_str(),
                        IsWindowVisible(tip) ? 1 : 0, Utf8(text.data()).c_str());
            ++icons;
        }
    }
    return icons ? 0 : 1;
}

int CommandTooltips() {
    int shown = 0;
    for (HWND w : TopLevelWindows()) {
        if (ClassOf(w) != TOOLTIPS_CLASSW || !IsWindowVisible(w)) continue;
        RECT rect = {};
        GetWindowRect(w, &rect);
        std::printf("tooltip\thwnd=%s\tpid=%lu\trect=%s\ttext=%s\n", HandleText(w).c_str(),
                    ProcessOf(w), RectText(rect).c_str(), Utf8(TextOf(w)).c_str());
        ++shown;
    }
    return shown ? 0 : 1;
}

// Renders one of the system's standard icons as the dialog would draw it, for
// comparison with what is on the screen.
std::vector<COLORREF> RenderIcon(LPCWSTR which, int width, int height, COLORREF background) {
    std::vector<COLORREF> pixels;
    HICON icon = LoadIconW(nullptr, which);
    if (!icon) return pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all = {0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory, x, y));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<COLORREF> CaptureScreen(const RECT& rect) {
    std::vector<COLORREF> pixels;
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory, x, y));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

int CountDifferences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    if (a.size() != b.size() || a.empty()) return -1;
    int differ = 0;
    for (size_t i = 0; i < a.size(); ++i) differ += a[i] != b[i];
    return differ;
}

// Which standard icon an icon control shows, told by comparing its pixels on the
// screen with each standard icon drawn on the same background.
void PrintIconKind(HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    std::vector<COLORREF> shown = CaptureScreen(rect);
    if (shown.empty()) return;
    COLORREF background = shown.front();  // the corners of the standard icons are clear
    struct Candidate {
        const char* name;
        LPCWSTR id;
    };
    const Candidate candidates[] = {{"exclamation", IDI_EXCLAMATION},
                                    {"hand", IDI_HAND},
                                    {"asterisk", IDI_ASTERISK},
                                    {"question", IDI_QUESTION},
                                    {"application", IDI_APPLICATION}};
    const char* best = "unknown";
    int bestDiff = -1;
    for (const Candidate& c : candidates) {
        int diff = CountDifferences(
            shown, RenderIcon(c.id, rect.right - rect.left, rect.bottom - rect.top, background));
        std::printf("dialog-icon-compare\tname=%s\tdiffering-pixels=%d\n", c.name, diff);
        if (diff >= 0 && (bestDiff < 0 || diff < bestDiff)) {
            bestDiff = diff;
            best = c.name;
        }
    }
    // A match is an identical drawing; anything else is reported as unknown.
    std::printf("dialog-icon\tkind=%s\tdiffering-pixels=%d\tpixels=%zu\n",
                bestDiff == 0 ? best : "unknown", bestDiff, shown.size());
}

int CommandDialog(const wchar_t* title) {
    int found = 0;
    for (HWND w : TopLevelWindows()) {
        if (ClassOf(w) != L"#32770" || !IsWindowVisible(w) || TextOf(w) != title) continue;
        ++found;
        PrintWindow("dialog", w, 0);
        for (HWND child : ChildWindows(w)) {
            std::wstring name = ClassOf(child);
            LONG style = static_cast<LONG>(GetWindowLongPtrW(child, GWL_STYLE));
            RECT rect = {};
            GetWindowRect(child, &rect);
            const char* kind = "control";
            if (_wcsicmp(name.c_str(), L"Button") == 0) {
                kind = "button";
            } else if (_wcsicmp(name.c_str(), L"Static") == 0) {
                kind = (style & SS_TYPEMASK) == SS_ICON ? "icon-control" : "static";
            }
            std::printf("%s\thwnd=%s\tid=%ld\tvisible=%d\trect=%s\ttext=%s\n", kind,
                        HandleText(child).c_str(),
                        static_cast<long>(GetWindowLongPtrW(child, GWLP_ID)),
                        IsWindowVisible(child) ? 1 : 0, RectText(rect).c_str(),
                        Utf8(TextOf(child)).c_str());
            if (std::strcmp(kind, "icon-control") == 0 && IsWindowVisible(child)) {
                PrintIconKind(child);
            }
        }
    }
    return found ? 0 : 1;
}

// Where the input goes: the foreground window and, of the thread that owns
// it, the active, focus and capture windows and whether it is in a menu.
int CommandFocus() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(0, &info)) return 1;
    HWND foreground = GetForegroundWindow();
    std::printf(
        "focus\tforeground=%s\tclass=%s\tpid=%lu\tactive=%s\tfocus=%s\tcapture=%s\t"
        "capture-class=%s\tin-menu=%d\n",
        HandleText(foreground).c_str(), Utf8(ClassOf(foreground)).c_str(), ProcessOf(foreground),
        HandleText(info.hwndActive).c_str(), HandleText(info.hwndFocus).c_str(),
        HandleText(info.hwndCapture).c_str(), Utf8(ClassOf(info.hwndCapture)).c_str(),
        (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) ? 1 : 0);
    return foreground ? 0 : 1;
}

int CommandClose(const wchar_t* className) {
    int posted = 0;
    for (HWND w : TopLevelWindows()) {
        if (ClassOf(w) != className) continue;
        if (PostMessageW(w, WM_CLOSE, 0, 0)) {
            std::printf("closed\thwnd=%s\tpid=%lu\n", HandleText(w).c_str(), ProcessOf(w));
            ++posted;
        }
    }
    return posted ? 0 : 1;
}

// The interface table as the program reads it, with the same two calls (sizing,
// then the table) and the rows unsorted, so that a test can tell whether some
// traffic moves the counters the icon's indicators follow.
int CommandInterfaces() {
    ULONG size = 0;
    DWORD result = GetIfTable(nullptr, &size, FALSE);
    if (result != ERROR_INSUFFICIENT_BUFFER && result != NO_ERROR) {
        std::printf("error\tGetIfTable sizing call returned %lu\n", result);
        return 1;
    }
    std::vector<unsigned char> buffer(size ? size : sizeof(MIB_IFTABLE));
    size = static_cast<ULONG>(buffer.size());
    auto* table = reinterpret_cast<MIB_IFTABLE*>(buffer.data());
    result = GetIfTable(table, &size, FALSE);
    if (result != NO_ERROR) {
        std::printf("error\tGetIfTable returned %lu\n", result);
        return 1;
    }
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_IFROW& row = table->table[i];
        std::string description(reinterpret_cast<const char*>(row.bDescr),
                                strnlen(reinterpret_cast<const char*>(row.bDescr),
                                        std::min<DWORD>(row.dwDescrLen, MAXLEN_IFDESCR)));
        std::printf(
            "interface\tindex=%lu\ttype=%lu\toper=%lu\tin-octets=%lu\tout-octets=%lu\t"
            "descr=%s\n",
            row.dwIndex, row.dwType, static_cast<unsigned long>(row.dwOperStatus), row.dwInOctets,
            row.dwOutOctets, description.c_str());
    }
    return table->dwNumEntries ? 0 : 1;
}

// Tests start this program in Wine's virtual desktop through the registry; an
// explicit desktop name makes it independent of that.
void JoinDesktop() {
    const char* wanted = std::getenv("ORBIQUELL_PROBE_DESKTOP");
    if (!wanted || !*wanted) return;
    HDESK desktop = OpenDesktopW(Wide(wanted).c_str(), 0, FALSE, GENERIC_ALL);
    if (desktop) SetThreadDesktop(desktop);
}

int Usage() {
    std::fprintf(stderr,
                 "usage: orbiquell-probe windows [CLASS] | tree | tray | tooltips |\n"
                 "                       dialog TITLE | close CLASS | interfaces |\n"
                 "                       controls CLASS | record FILE ARGS... | focus |\n"
                 "                       resources CLASS | forget-icon CLASS ID [broadcast] |\n"
                 "                       fill-screen | lock-key KEY | hold-file PATH [CLASS] |\n"
                 "                       dpi-changed CLASS NEW OLD\n");
    return 2;
}

}  // namespace
}  // namespace probe

int main(int argc, char** argv) {
    // Rectangles in the screen's own pixels at any DPI, as the scripts find the
    // windows in X screenshots: an unaware process would get them scaled to 96 DPI.
    SetProcessDPIAware();
    if (probe::StandsInFor(L"rundll32.exe")) return probe::CommandStandIn(argc - 1, argv + 1);
    probe::JoinDesktop();
    if (argc < 2) return probe::Usage();
    std::string command = argv[1];
    int result = 2;
    if (command == "windows") {
        std::wstring name = argc > 2 ? probe::Wide(argv[2]) : std::wstring();
        result = probe::CommandWindows(argc > 2 ? name.c_str() : nullptr);
    } else if (command == "tree") {
        result = probe::CommandTree();
    } else if (command == "tray") {
        result = probe::CommandTray();
    } else if (command == "tooltips") {
        result = probe::CommandTooltips();
    } else if (command == "dialog" && argc > 2) {
        result = probe::CommandDialog(probe::Wide(argv[2]).c_str());
    } else if (command == "close" && argc > 2) {
        result = probe::CommandClose(probe::Wide(argv[2]).c_str());
    } else if (command == "interfaces") {
        result = probe::CommandInterfaces();
    } else if (command == "focus") {
        result = probe::CommandFocus();
    } else if (command == "controls" && argc > 2) {
        result = probe::CommandControls(probe::Wide(argv[2]).c_str());
    } else if (command == "resources" && argc > 2) {
        result = probe::CommandResources(probe::Wide(argv[2]).c_str());
    } else if (command == "hold-file" && argc > 2) {
        std::wstring hungClass = argc > 3 ? probe::Wide(argv[3]) : std::wstring();
        result = probe::CommandHoldFile(argv[2], argc > 3 ? hungClass.c_str() : nullptr);
    } else if (command == "lock-key" && argc > 2) {
        result = probe::CommandLockKey(argv[2]);
    } else if (command == "dpi-changed" && argc > 4) {
        result = probe::CommandDpiChanged(probe::Wide(argv[2]).c_str(), std::atoi(argv[3]),
                                          std::atoi(argv[4]));
    } else if (command == "fill-screen") {
        result = probe::CommandFillScreen();
    } else if (command == "forget-icon" && argc > 3) {
        const bool broadcast = argc > 4 && std::strcmp(argv[4], "broadcast") == 0;
        result = probe::CommandForgetIcon(probe::Wide(argv[2]).c_str(),
                                          static_cast<UINT>(std::strtoul(argv[3], nullptr, 10)),
                                          broadcast, 10000);
    } else if (command == "record" && argc > 2) {
        result = probe::CommandRecord(argv[2], argc - 3, argv + 3);
    } else {
        return probe::Usage();
    }
    std::fflush(stdout);
    return result;
}
