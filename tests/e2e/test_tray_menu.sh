#!/usr/bin/env bash
# A right click on the tray icon opens Orbiquell's menu: "Restore Orbiquell...",
# "Enable Hot Corners" (checked while they are on), "Start Screen Saver..."
# (greyed while the system's screen saver is off), "Configure Screen Saver..."
# and "Exit Orbiquell", in groups between separators. Choosing "Enable Hot
# Corners" switches the setting over, "Configure Screen Saver..." starts the
# display control panel's screen-saver page through rundll32, and "Exit
# Orbiquell" ends the program and takes its icon away.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/window_lib.sh"
e2e_begin "$@"

settings='HKLM\Software\Orbiquell\Settings'
desktop_key='HKCU\Control Panel\Desktop'
saved_hot_corners=$(reg_get "$settings" HotCorners) || saved_hot_corners=
saved_active=$(reg_get "$desktop_key" ScreenSaveActive) || saved_active=
saved_timeout=$(x_screensaver_timeout)
restore() {
    reg_restore "$settings" HotCorners "$saved_hot_corners"
    reg_restore "$desktop_key" ScreenSaveActive "$saved_active"
    xset s "$saved_timeout"
}
e2e_on_cleanup restore

reg_set "$settings" HotCorners REG_DWORD 0
xset s 0
reg_set "$desktop_key" ScreenSaveActive REG_SZ 0
[ "$(x_screensaver_timeout)" = 0 ] || e2e_fail "cannot switch the X screen saver off"

hot_corners_are() { [ "$(reg_get "$settings" HotCorners)" = "REG_DWORD $1" ]; }

# What a menu's items look like, for the log.
describe_menu() {
    awk -v names="restore hot-corners start-saver configure-saver exit" '
        BEGIN { split(names, name, " ") }
        { printf "%s%s rows %d..%d ink %d left %d", sep, name[$1], $2, $3 - 1, $4, $5; sep = "; " }' \
        <<<"$MENU_ITEMS"
}
# Greyed text is drawn in a light grey, enabled text in black: the start item
# is greyed when its darkest pixel is clearly lighter than the configure item's.
start_item_greyed() {
    (($(menu_item $MENU_START_SAVER INK) > $(menu_item $MENU_CONFIGURE_SAVER INK) + 190))
}
# A check mark stands left of where every item's text begins.
hot_corners_checked() {
    (($(menu_item $MENU_HOT_CORNERS LEFT) + 4 <= $(menu_item $MENU_RESTORE LEFT)))
}

e2e_start_orbiquell
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
form_pid=$(field "$(probe windows Orbiquell.HiddenForm)" pid)

# Screen saver off, hot corners off.
open_tray_menu menu-saver-off
e2e_observed "menu $(field "$MENU" rect) of Windows process $(field "$MENU" pid): $(describe_menu)"
[ "$(field "$MENU" pid)" = "$form_pid" ] || e2e_fail "the menu belongs to process $(field "$MENU" pid), not $form_pid"
keep_screenshot "$E2E_ARTIFACTS/menu-saver-off.png" "$(field "$MENU" rect)" tray-menu.png
start_item_greyed || e2e_fail "Start Screen Saver... is not greyed with the screen saver off: $(describe_menu)"
! hot_corners_checked || e2e_fail "Enable Hot Corners is checked with hot corners off: $(describe_menu)"
choose_menu_item $MENU_HOT_CORNERS
poll_until 10 "HotCorners 1" hot_corners_are 0x1 ||
    e2e_fail "HotCorners is $(reg_get "$settings" HotCorners) after choosing Enable Hot Corners"
e2e_observed "chose Enable Hot Corners: HotCorners $(reg_get "$settings" HotCorners)"

# Screen saver on, hot corners on.
xset s 600
reg_set "$desktop_key" ScreenSaveActive REG_SZ 1
open_tray_menu menu-saver-on
e2e_observed "menu with the screen saver on: $(describe_menu)"
! start_item_greyed || e2e_fail "Start Screen Saver... is greyed with the screen saver on: $(describe_menu)"
hot_corners_checked || e2e_fail "Enable Hot Corners is not checked with hot corners on: $(describe_menu)"
choose_menu_item $MENU_HOT_CORNERS
poll_until 10 "HotCorners 0" hot_corners_are 0x0 ||
    e2e_fail "HotCorners is $(reg_get "$settings" HotCorners) after choosing Enable Hot Corners again"
e2e_observed "chose Enable Hot Corners again: HotCorners $(reg_get "$settings" HotCorners)"

# rundll32 finds no display control panel in Wine and ends within a second, so
# a watcher looks for it all the time rather than now and then. Wine shows a
# Windows process's command line as its Linux one; the prefix in its
# environment tells this test's processes from any others.
session_processes() {  # PATTERN: "PID COMMAND LINE" lines
    local pid line
    while read -r pid line; do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            printf '%s %s\n' "$pid" "$line"
        fi
    done < <(pgrep -af -- "$1")
}
pattern='rundll32\.exe shell32\.dll,Control_RunDLL desk\.cpl,,1'
started="$E2E_ARTIFACTS/rundll32.txt"
[ -z "$(session_processes "$pattern")" ] || e2e_fail "rundll32 runs already: $(session_processes "$pattern")"
: >"$started"
(while :; do session_processes "$pattern" >>"$started"; sleep 0.02; done) &
watcher=$!
e2e_on_cleanup kill "$watcher"
open_tray_menu menu-configure
choose_menu_item $MENU_CONFIGURE_SAVER
poll_until 20 "rundll32 with desk.cpl" test -s "$started" ||
    e2e_fail "no rundll32 desk.cpl process after choosing Configure Screen Saver..."
e2e_observed "chose Configure Screen Saver...: $(sort -u "$started" | paste -sd";")"
process_running "$ORBIQUELL_PID" || e2e_fail "Orbiquell ended"

rect=$(icon_rect)
open_tray_menu menu-exit
choose_menu_item $MENU_EXIT
exit_ms=$(now_ms)
poll_until 30 "Orbiquell to end after Exit" process_ended "$ORBIQUELL_PID" ||
    e2e_fail "Orbiquell still runs 30 s after Exit Orbiquell was chosen"
e2e_observed "process ended $(($(now_ms) - exit_ms)) ms after Exit Orbiquell"
[ -z "$(orbiquell_icons)" ] || e2e_fail "the icon is still listed: $(orbiquell_icons)"
e2e_observed "icon $rect gone"
e2e_log PASS
