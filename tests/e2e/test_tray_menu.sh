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
e2e_keep_value "$settings" HotCorners
e2e_keep_screen_saver

# Orbiquell starts the screen-saver settings through rundll32.exe, which
# Windows looks for in Orbiquell's own folder first: a copy of the probe there
# writes down how it was started (Wine's rundll32 would end at once, finding
# no display control panel).
app_dir="$E2E_ARTIFACTS/app"
mkdir -p "$app_dir"
rm -f "$app_dir/started.txt"
cp "$E2E_EXE" "$app_dir/Orbiquell.exe"
cp "$E2E_PROBE" "$app_dir/rundll32.exe"
E2E_EXE="$app_dir/Orbiquell.exe"

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

open_tray_menu menu-configure
choose_menu_item $MENU_CONFIGURE_SAVER
poll_until 20 "rundll32 to start" test -s "$app_dir/started.txt" ||
    e2e_fail "no rundll32 started after choosing Configure Screen Saver..."
started=$(tr -d '\r' <"$app_dir/started.txt")
e2e_observed "chose Configure Screen Saver...: rundll32 started with: $started"
[ "$started" = "show=2"$'\t'"shell32.dll,Control_RunDLL"$'\t'"desk.cpl,,1" ] ||
    e2e_fail "rundll32 started with '$started'"
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
