// The tray icon's context menu. It keeps no state of its own: the check mark
// and the start item's enabled state are set each time it opens.
#pragma once

#include "platform/widgets.h"

class frmSysTray;

struct TrayMenu {
    explicit TrayMenu(frmSysTray& owner);

    platform::PopupMenu menuRightPopup;
    int menuRestore = 0;
    int menuHotCorners = 0;
    int menuStartSSaver = 0;
    int menuConfigSSaver = 0;
    int menuExit = 0;
};
