#!/usr/bin/env bash
# A user who may not write the machine's settings key or its Run key, as a
# standard user on Windows Vista to 11 (staged with read-only access lists,
# which last as long as the Wine session):
# - hot corners turned on from the tray menu are stored for the user, and hold
#   after the program is ended and started again;
# - the Settings tab greys "Auto Load Orbiquell for All Users", whose tooltip
#   names the administrator;
# - Exit chosen while OK's "not saved" message is open ends the program
#   cleanly.
# With the keys writable again (a new Wine session), turning hot corners off
# stores the machine's value and removes the user's, as before.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/window_lib.sh"
e2e_begin "$@"

machine='HKLM\Software\Orbiquell\Settings'
user='HKCU\Software\Orbiquell\Settings'
run_all='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
e2e_keep_value "$machine" HotCorners
e2e_keep_value "$user" HotCorners
e2e_keep_value "$run_all" Orbiquell
reg_set "$machine" HotCorners REG_DWORD 0
reg_delete_value "$user" HotCorners
# An all-users entry the user cannot remove; it names no file, in case Wine
# runs the entries when a session starts.
reg_set "$run_all" Orbiquell REG_SZ 'C:\absent\Orbiquell.exe'

stored() { [ "$(reg_get "$1" HotCorners)" = "REG_DWORD $2" ]; }  # KEY VALUE
user_value_gone() { ! reg_get "$user" HotCorners >/dev/null; }
shows_family() {  # SHOT_NAME FAMILY
    shown_tray_image "$1" "$(icon_rect)" && [[ $SHOWN_IMAGE == "$2"_* ]]
}
start() {
    e2e_start_orbiquell
    poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
}
stop() {
    probe close Orbiquell.HiddenForm >/dev/null
    poll_until 30 "Orbiquell to end" process_ended "$ORBIQUELL_PID" || e2e_fail "Orbiquell did not end"
}

for key in "$machine" "$run_all"; do
    probe lock-key "$key" >/dev/null || e2e_fail "cannot lock $key"
done
! reg_set "$machine" HotCorners REG_DWORD 1 2>/dev/null || e2e_fail "$machine still takes writes"

start
open_tray_menu menu-locked
choose_menu_item "$MENU_HOT_CORNERS"
poll_until 10 "the user's HotCorners 1" stored "$user" 0x1 ||
    e2e_fail "the user's HotCorners is $(reg_get "$user" HotCorners)"
stored "$machine" 0x0 || e2e_fail "the machine's HotCorners is $(reg_get "$machine" HotCorners)"
stop
start
poll_until 10 "the hot-corners-on family" shows_family restarted imgIcon ||
    e2e_fail "after a restart the icon shows $SHOWN_MATCH: the choice was lost"
e2e_observed "locked keys: hot corners on from the menu, kept for the user, held after a restart"

double_click_icon
poll_until 20 "the main window" main_window_visible || e2e_fail "no main window"
select_tab Settings
all_users='Auto Load Orbiquell for A&ll Users'
control_has "$all_users" enabled 0 || e2e_fail "the all-users box is not greyed: $(form_record control "$all_users")"
read -r x y <<<"$(centre "$(field "$(form_record control "$all_users")" rect)")"
xdotool mousemove "$x" "$y"
administrator_tip() { probe tooltips | grep -q 'administrator'; }
poll_until 10 "the greyed box's tooltip" administrator_tip ||
    e2e_fail "no tooltip over the greyed box: $(probe tooltips)"
e2e_observed "locked Run key: the all-users box is greyed; its tooltip: $(field "$(probe tooltips)" text)"

# OK with the user's box ticked while the all-users entry is stored: a message
# says it was not saved. Exit from the tray menu while it is open ends the
# program cleanly, though the window goes from under the message.
current_user='Auto Load Orbiquell for &Current User'
# The greyed box's tooltip goes first: it may lie over the box below it.
xdotool mousemove 200 200
poll_until 10 "the tooltip to go" no_tooltip_shown || e2e_fail "the tooltip stays: $(probe tooltips)"
click_control "$current_user"
poll_until 10 "'$current_user' to be checked" control_has "$current_user" checked 1 ||
    e2e_fail "'$current_user' is not checked after a click on it"
click_control OK
message_open() { probe windows '#32770' | grep $'\tvisible=1\t' | grep -q "pid=$(field "$(probe windows Orbiquell.HiddenForm)" pid)"; }
poll_until 10 "the not-saved message" message_open || e2e_fail "no message after OK: $(probe windows '#32770')"
open_tray_menu menu-exit-under-message
exit_ms=$(now_ms)
choose_menu_item "$MENU_EXIT"
expect_process_end "Exit with the message open" "$exit_ms"
((EXIT_STATUS == 0)) || e2e_fail "Orbiquell ended with status $EXIT_STATUS"
! grep -qi 'unhandled' "$E2E_ARTIFACTS/orbiquell.log" ||
    e2e_fail "Orbiquell crashed at exit: $(grep -i unhandled "$E2E_ARTIFACTS/orbiquell.log" | head -n1)"

# A new session: the access lists are gone.
e2e_stop_wine
e2e_start_desktop
xdotool mousemove 200 200
start
open_tray_menu menu-writable
choose_menu_item "$MENU_HOT_CORNERS"
poll_until 10 "the machine's HotCorners 0" stored "$machine" 0x0 || e2e_fail "the machine's value did not change"
poll_until 10 "the user's value to go" user_value_gone ||
    e2e_fail "the user's HotCorners stays: $(reg_get "$user" HotCorners)"
e2e_observed "writable keys: hot corners off stored for the machine, the user's value removed"
stop
e2e_log PASS
