// Whether a menu of this thread is open. Its own modal loop then owns the
// thread's input, and nothing else may take messages from the queue.
#pragma once

namespace platform::win32 {

bool InMenu();

// Marks one of the program's popup menus as open for as long as it lives.
class OpenPopupMenu {
  public:
    OpenPopupMenu();
    ~OpenPopupMenu();
    OpenPopupMenu(const OpenPopupMenu&) = delete;
    OpenPopupMenu& operator=(const OpenPopupMenu&) = delete;
};

}  // namespace platform::win32
