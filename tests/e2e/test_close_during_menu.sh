#!/usr/bin/env bash
# A WM_CLOSE that reaches Orbiquell while its tray menu is open, as an
# installer or the end of the session sends it, ends the program once the menu
# has closed: the icon goes, the screen saver is active again and the process
# ends. An item chosen from the menu after the close does nothing.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/window_lib.sh"
e2e_begin "$@"

settings='HKLM\Software\Orbiquell\Settings'
e2e_keep_value "$settings" HotCorners
e2e_keep_screen_saver
xset s 0
reg_set "$settings" HotCorners REG_DWORD 0

e2e_start_orbiquell
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
open_tray_menu menu-open
probe close Orbiquell.HiddenForm >/dev/null || e2e_fail "no Orbiquell.HiddenForm window to close"
close_ms=$(now_ms)
# The menu's own loop runs the close: the icon goes while the menu is open.
poll_until 10 "the icon to go" have_no_orbiquell_icon ||
    e2e_fail "the icon stays after WM_CLOSE: $(orbiquell_icons)"
popup_menu || e2e_fail "the menu closed with the window's close"
e2e_observed "WM_CLOSE with the menu open: icon gone, menu still open"

# A click away from the menu dismisses it, as a user does.
xdotool mousemove 500 300 click 1
poll_until 10 "the menu to close" no_popup_menu || e2e_fail "the menu stays open"
expect_process_end "WM_CLOSE during the tray menu" "$close_ms"
expect_screen_saver_restored

# Again, and this time the user chooses "Enable Hot Corners" from the menu that
# stayed open: the program has been told to end, so nothing is switched on.
e2e_start_orbiquell
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
open_tray_menu menu-open-again
probe close Orbiquell.HiddenForm >/dev/null || e2e_fail "no Orbiquell.HiddenForm window to close"
close_ms=$(now_ms)
poll_until 10 "the icon to go" have_no_orbiquell_icon ||
    e2e_fail "the icon stays after WM_CLOSE: $(orbiquell_icons)"
choose_menu_item "$MENU_HOT_CORNERS"
expect_process_end "WM_CLOSE, then Enable Hot Corners" "$close_ms"
[ "$(reg_get "$settings" HotCorners)" = "REG_DWORD 0x0" ] ||
    e2e_fail "HotCorners is $(reg_get "$settings" HotCorners) after the menu's choice"
have_no_orbiquell_icon || e2e_fail "the icon came back: $(orbiquell_icons)"
e2e_observed "WM_CLOSE, then Enable Hot Corners: HotCorners stays 0, no icon"
e2e_log PASS
