#!/usr/bin/env bash
# With the full-screen guard on, a program that fills the screen from the front
# keeps the bottom-left corner from arming: the pointer resting there leaves the
# icon in its normal family. With the guard off, the same rest shows the
# "sleep now" image (Wine starts no screen saver, so the image is what shows).
# The full-screen program is the probe's see-through window, through which the
# screenshots still see the taskbar.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

settings='HKLM\Software\Orbiquell\Settings'
e2e_keep_value "$settings" HotCorners
e2e_keep_value "$settings" FullScreenGuard
e2e_on_cleanup xdotool mousemove 200 200
reg_set "$settings" HotCorners REG_DWORD 1

shows_family() {  # SHOT_NAME FAMILY
    shown_tray_image "$1" "$rect" && [[ $SHOWN_IMAGE == "$2"* ]]
}
filler_in_front() { [ "$(field "$(probe focus)" class)" = Orbiquell.Probe.FullScreen ]; }

wine_spawn "$E2E_PROBE" fill-screen >>"$E2E_ARTIFACTS/fill-screen.log" 2>&1
e2e_on_cleanup probe close Orbiquell.Probe.FullScreen
poll_until 30 "the full-screen window in front" filler_in_front ||
    e2e_fail "the full-screen window is not in front: $(probe focus)"

# rest_in_corner GUARD EXPECTED_FAMILY WHAT
rest_in_corner() {
    reg_set "$settings" FullScreenGuard REG_DWORD "$1"
    xdotool mousemove 200 200
    e2e_start_orbiquell
    poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
    rect=$(field "$(orbiquell_icons)" rect)
    filler_in_front || e2e_fail "Orbiquell took the front from the full-screen window: $(probe focus)"
    poll_until 10 "the normal family" shows_family "start-$1" imgIcon ||
        e2e_fail "at start the icon shows $SHOWN_MATCH"
    xdotool mousemove 0 767
    if [ "$2" = imgSleepNow ]; then
        poll_until 10 "the sleep-now image" shows_family "resting-$1" imgSleepNow ||
            e2e_fail "$3: resting in the corner shows $SHOWN_MATCH, not imgSleepNow"
    else
        # Two ticks arm and fire the corner; five seconds are a dozen ticks.
        holds_for 5 "the normal family while resting" shows_family "resting-$1" imgIcon ||
            e2e_fail "$3: resting in the corner shows $SHOWN_MATCH"
    fi
    e2e_observed "$3: resting in the bottom-left corner shows $SHOWN_IMAGE"
    probe close Orbiquell.HiddenForm >/dev/null
    poll_until 30 "Orbiquell to end" process_ended "$ORBIQUELL_PID" || e2e_fail "Orbiquell did not end"
}

rest_in_corner 1 imgIcon "guard on, a program fills the screen"
rest_in_corner 0 imgSleepNow "guard off, a program fills the screen"
e2e_log PASS
