#!/usr/bin/env bash
# An older release kept the hot-corner setting per user as "SleeperActive". At
# start-up Orbiquell moves it to "HotCorners" for the whole machine and removes
# the per-user keys.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

user_product='HKCU\Software\Orbiquell'
user_settings='HKCU\Software\Orbiquell\Settings'
machine_product='HKLM\Software\Orbiquell'
machine_settings='HKLM\Software\Orbiquell\Settings'

# Put back whatever this test changes: HotCorners as it was (or the machine's
# product key removed if it did not exist), the per-user keys removed.
reg_key_exists "$user_product" && e2e_fail "$user_product exists before the test; clean the prefix"
machine_product_existed=0
reg_key_exists "$machine_product" && machine_product_existed=1
saved_hot_corners=$(reg_get "$machine_settings" HotCorners) || saved_hot_corners=
restore() {
    wine_reg delete "$user_product" /f >/dev/null 2>&1 || true
    if ((machine_product_existed)); then
        reg_restore "$machine_settings" HotCorners "$saved_hot_corners"
    else
        wine_reg delete "$machine_product" /f >/dev/null 2>&1 || true
    fi
}
e2e_on_cleanup restore

reg_delete_value "$machine_settings" HotCorners
reg_set "$user_settings" SleeperActive REG_DWORD 1
[ "$(reg_get "$user_settings" SleeperActive)" = "REG_DWORD 0x1" ] || e2e_fail "set-up failed"
e2e_observed "before: $user_settings SleeperActive = $(reg_get "$user_settings" SleeperActive)," \
    "$machine_settings HotCorners $(reg_get "$machine_settings" HotCorners || echo absent)"

e2e_start_orbiquell
# The migration runs before the icon is added, so once the icon is up it is done.
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
process_running "$ORBIQUELL_PID" || e2e_fail "Orbiquell ended"

hot_corners=$(reg_get "$machine_settings" HotCorners) || e2e_fail "no HotCorners under $machine_settings"
e2e_observed "after: $machine_settings HotCorners = $hot_corners"
[ "$hot_corners" = "REG_DWORD 0x1" ] || e2e_fail "HotCorners is '$hot_corners', expected REG_DWORD 0x1"
! reg_key_exists "$user_settings" || e2e_fail "$user_settings still exists"
! reg_key_exists "$user_product" || e2e_fail "$user_product still exists"
e2e_observed "after: $user_settings and $user_product are gone"

# The program goes on normally with hot corners enabled.
uptime_tip_shown() { [[ "$(field "$(orbiquell_icons)" tip)" == *" up for "* ]]; }
poll_until 10 "the uptime tip" uptime_tip_shown || true
tip=$(field "$(orbiquell_icons)" tip)
parse_uptime_tip "$tip" >/dev/null || e2e_fail "tip '$tip': $(parse_uptime_tip "$tip")"

# Closing the program first keeps it from writing while the registry is restored.
probe close Orbiquell.HiddenForm >/dev/null || e2e_fail "no window to close"
poll_until 30 "Orbiquell to end" process_ended "$ORBIQUELL_PID" || e2e_fail "Orbiquell did not end"
e2e_log PASS
