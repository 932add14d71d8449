#!/usr/bin/env bash
# With hot corners off, the bottom-right corner is an ordinary place: the
# pointer resting there for seconds leaves the screen saver on, and the icon
# stays in the hot-corners-off family (dark red graph, bright red letters) while
# the program keeps ticking.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

settings='HKLM\Software\Orbiquell\Settings'
desktop_key='HKCU\Control Panel\Desktop'
e2e_keep_value "$settings" HotCorners
e2e_keep_screen_saver
e2e_on_cleanup xdotool mousemove 200 200

reg_set "$settings" HotCorners REG_DWORD 0
[ "$(reg_get "$settings" HotCorners)" = "REG_DWORD 0x0" ] || e2e_fail "cannot set HotCorners"
xset s 600
reg_set "$desktop_key" ScreenSaveActive REG_SZ 1
[ "$(x_screensaver_timeout)" = 600 ] || e2e_fail "cannot switch the X screen saver on"

shows_family() {  # SHOT_NAME FAMILY
    shown_tray_image "$1" "$rect" && [[ $SHOWN_IMAGE == "$2"_* ]]
}
tip() { field "$(orbiquell_icons)" tip; }
uptime_tip_shown() { [[ "$(tip)" == *" up for "* ]]; }

e2e_start_orbiquell
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
rect=$(field "$(orbiquell_icons)" rect)
poll_until 10 "the uptime tip" uptime_tip_shown || e2e_fail "the tip stayed '$(tip)'"
poll_until 10 "the hot-corners-off image (imgSleeperDisabled_)" shows_family start imgSleeperDisabled ||
    e2e_fail "the icon shows $SHOWN_MATCH, not the imgSleeperDisabled_ family"
e2e_observed "at start: icon $rect shows $SHOWN_IMAGE; X screen-saver timeout $(x_screensaver_timeout)"

# The corner of the hot-corner test: x >= width - 4, y >= height - 4.
corner_x=1022
corner_y=766
xdotool mousemove "$corner_x" "$corner_y"
e2e_log "pointer at $(xdotool getmouselocation)"
tip_before=$(tip)
rest_ms=$(now_ms)
# Three seconds are more than seven ticks; the corner would have acted after two.
# A busy machine makes each sample slow, so at least three are taken however
# long that takes.
samples=0
images=()
while (($(now_ms) - rest_ms < 3000 || samples < 3)); do
    timeout=$(x_screensaver_timeout)
    [ "$timeout" = 600 ] ||
        e2e_fail "X screen-saver timeout $timeout after $(($(now_ms) - rest_ms)) ms in the corner"
    shows_family "resting-$samples" imgSleeperDisabled ||
        e2e_fail "after $(($(now_ms) - rest_ms)) ms in the corner the icon shows $SHOWN_MATCH"
    images+=("$SHOWN_IMAGE")
    samples=$((samples + 1))
done
rested_ms=$(($(now_ms) - rest_ms))
active=$(reg_get "$desktop_key" ScreenSaveActive) || active=absent
[ "$active" = "REG_SZ 1" ] || e2e_fail "ScreenSaveActive is '$active' after resting in the corner"
[ "$(x_screensaver_timeout)" = 600 ] || e2e_fail "X screen-saver timeout $(x_screensaver_timeout)"
e2e_observed "rested $rested_ms ms at $corner_x,$corner_y: $samples samples, X timeout 600 and" \
    "images $(printf '%s\n' "${images[@]}" | sort | uniq -c | awk '{ printf "%s%s x%s", sep, $2, $1; sep = ", " }')" \
    "throughout; ScreenSaveActive $active afterwards"

# The program was alive and ticking all the while: its tip moved on.
tip_after=$(tip)
e2e_observed "tip before resting '$tip_before', after '$tip_after'"
[ "$tip_after" != "$tip_before" ] || e2e_fail "the tip did not change in $rested_ms ms: '$tip_after'"
process_running "$ORBIQUELL_PID" || e2e_fail "Orbiquell ended"

xdotool mousemove 200 200
probe close Orbiquell.HiddenForm >/dev/null || e2e_fail "no window to close"
poll_until 30 "Orbiquell to end" process_ended "$ORBIQUELL_PID" || e2e_fail "Orbiquell did not end"
e2e_log PASS
