#!/usr/bin/env bash
# "-POPUP" as the whole command line, in any letter case, opens the main window
# at start-up next to the tray icon: the form "Orbiquell" with its three tabs,
# 354 x 343 pixels inside at 96 DPI, centred above the taskbar. Any other command
# line, "/popup" for one, starts Orbiquell in the tray alone.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/window_lib.sh"
e2e_begin "$@"

end_orbiquell() {
    probe close Orbiquell.HiddenForm >/dev/null || e2e_fail "no window to close"
    poll_until 30 "Orbiquell to end" process_ended "$ORBIQUELL_PID" || e2e_fail "Orbiquell did not end"
}

start_ms=$(now_ms)
e2e_start_orbiquell -PoPuP
poll_until 60 "the main window" main_window_visible || e2e_fail "no visible main window after -PoPuP"
e2e_observed "-PoPuP: main window visible $(($(now_ms) - start_ms)) ms after the start"
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon next to the main window"
read_form || e2e_fail "the main window went away"
printf '%s\n' "$FORM" >"$E2E_ARTIFACTS/form.txt"
form=$(form_record form)
e2e_observed "-PoPuP: $form"
[ "$(field "$form" text)" = Orbiquell ] || e2e_fail "caption '$(field "$form" text)', expected Orbiquell"
[ "$(field "$form" minimized)" = 0 ] || e2e_fail "the window opened minimised"
tabs=$(awk -F'\t' '$1 == "tab" { printf "%s%s", sep, substr($NF, 6); sep = "," }' <<<"$FORM")
[ "$tabs" = Status,Settings,About ] || e2e_fail "tabs '$tabs', expected Status,Settings,About"
[ "$(field "$(form_record tab Status)" selected)" = 1 ] || e2e_fail "the Status tab is not the selected one"

# The layout is given in twips: 5310 x 5145 of them are 354 x 343 pixels at 96 DPI.
IFS=, read -r cl ct cr cb <<<"$(field "$form" client)"
e2e_observed "client area $((cr - cl)) x $((cb - ct)) pixels"
((cr - cl == 354 && cb - ct == 343)) || e2e_fail "client area $((cr - cl)) x $((cb - ct)), expected 354 x 343"
e2e_observed "window $(field "$form" rect)"
centred_on_screen "$(field "$form" rect)" ||
    e2e_fail "the window $(field "$form" rect) is not centred on the screen"
settled_screenshot popup "$(field "$form" rect)"
end_orbiquell

# Any other command line: the icon alone, and no window for a good while.
e2e_start_orbiquell /popup
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon after /popup"
holds_for 5 "no main window after /popup" main_window_not_visible ||
    e2e_fail "a main window appeared after /popup: $(probe windows "$MAIN_FORM")"
e2e_observed "/popup: icon shown, no visible main window for 5 s"
e2e_screenshot no-popup
end_orbiquell
e2e_log PASS
