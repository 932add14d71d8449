#include "platform/win32/menu_mode.h"

#include "platform/win32/run_time_link.h"

namespace platform::win32 {

namespace {

int openPopupMenus = 0;

}  // namespace

OpenPopupMenu::OpenPopupMenu() {
    ++openPopupMenus;
}

OpenPopupMenu::~OpenPopupMenu() {
    --openPopupMenus;
}

bool InMenu() {
    if (openPopupMenus > 0) return true;
    // The system also knows of the window menus (Alt+Space), which the program
    // does not open itself. Looked up at run time: Windows NT 4.0 has the call
    // only from its Service Pack 3 on; without it, the program's own popup
    // menus are still known.
    using GetInfoFunction = BOOL(WINAPI*)(DWORD, GUITHREADINFO*);
    static const auto getInfo =
        FindFunction<GetInfoFunction>(GetModuleHandleA("user32.dll"), "GetGUIThreadInfo");
    if (getInfo == nullptr) return false;
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return getInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMENUMODE) != 0;
}

}  // namespace platform::win32
