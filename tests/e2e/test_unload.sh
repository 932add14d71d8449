#!/usr/bin/env bash
# The main window's "Unload" button ends Orbiquell as its tray menu's Exit does:
# the window and the tray icon go, the process ends and the screen saver,
# switched off before, is active again.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/window_lib.sh"
e2e_begin "$@"

desktop_key='HKCU\Control Panel\Desktop'
e2e_keep_screen_saver

xset s 0
reg_set "$desktop_key" ScreenSaveActive REG_SZ 0
[ "$(x_screensaver_timeout)" = 0 ] || e2e_fail "cannot switch the X screen saver off"

e2e_start_orbiquell -POPUP
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
poll_until 60 "the main window" main_window_visible || e2e_fail "no main window after -POPUP"
e2e_screenshot before
[ "$(x_screensaver_timeout)" = 0 ] || e2e_fail "the screen saver was switched on at start-up"

click_control "&Unload"
expect_process_end "the click on Unload" "$(now_ms)"
expect_screen_saver_restored
[ -z "$(orbiquell_icons)" ] || e2e_fail "the icon is still listed: $(orbiquell_icons)"
main_window_gone || e2e_fail "the main window still exists: $(probe windows "$MAIN_FORM")"
e2e_screenshot after
e2e_log PASS
