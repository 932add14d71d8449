#!/usr/bin/env bash
# Closing Orbiquell's hidden window ends the program: the screen saver is left
# active (even though it was off before), the icon leaves the notification area
# and the process ends.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

desktop_key='HKCU\Control Panel\Desktop'
e2e_keep_screen_saver

# Screen saver off, both where Windows keeps it and where Wine takes it from.
xset s 0
reg_set "$desktop_key" ScreenSaveActive REG_SZ 0
[ "$(x_screensaver_timeout)" = 0 ] || e2e_fail "cannot switch the X screen saver off"
e2e_observed "before: X screen-saver timeout $(x_screensaver_timeout), ScreenSaveActive $(reg_get "$desktop_key" ScreenSaveActive)"
e2e_screenshot before

e2e_start_orbiquell
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
rect=$(field "$(orbiquell_icons)" rect)
# Running does not touch the flag: hot corners are off in this prefix.
[ "$(x_screensaver_timeout)" = 0 ] || e2e_fail "the screen saver was switched on at start-up"

probe close Orbiquell.HiddenForm >/dev/null || e2e_fail "no Orbiquell.HiddenForm window to close"
expect_process_end WM_CLOSE "$(now_ms)"
expect_screen_saver_restored

# The icon is gone: the tray lists no displayed icon of ours and the screen
# shows the taskbar as it was before the start.
[ -z "$(orbiquell_icons)" ] || e2e_fail "the icon is still listed: $(orbiquell_icons)"
probe windows Orbiquell.HiddenForm >/dev/null && e2e_fail "the hidden window still exists"
crop "$E2E_ARTIFACTS/before.png" "$rect" "$E2E_ARTIFACTS/icon-before.png"
icon_area_blank() {
    e2e_screenshot after
    crop "$E2E_ARTIFACTS/after.png" "$rect" "$E2E_ARTIFACTS/icon-after.png"
    [ "$(differing_pixels "$E2E_ARTIFACTS/icon-before.png" "$E2E_ARTIFACTS/icon-after.png")" = 0 ]
}
poll_until 10 "the icon's place to be blank again" icon_area_blank ||
    e2e_fail "the icon's place $rect still differs from before the start"
e2e_observed "icon area $rect is as before the start"
e2e_log PASS
