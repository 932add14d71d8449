#!/usr/bin/env bash
# With hot corners on, resting the pointer in the bottom-right corner of the
# screen keeps the screen saver from starting: after two ticks the
# screen-saver-active flag is off, and the icon shows the sleep-never family
# (graph and letters dark red) while the pointer rests there. Moving the pointer
# away switches the flag on again and brings back the normal family; so does
# switching hot corners off while the pointer rests there.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/window_lib.sh"
e2e_begin "$@"

settings='HKLM\Software\Orbiquell\Settings'
desktop_key='HKCU\Control Panel\Desktop'
e2e_keep_value "$settings" HotCorners
e2e_keep_screen_saver
e2e_on_cleanup xdotool mousemove 200 200

reg_set "$settings" HotCorners REG_DWORD 1
[ "$(reg_get "$settings" HotCorners)" = "REG_DWORD 0x1" ] || e2e_fail "cannot set HotCorners"
# Screen saver on, in the X server and in the user's profile.
xset s 600
reg_set "$desktop_key" ScreenSaveActive REG_SZ 1
[ "$(x_screensaver_timeout)" = 600 ] || e2e_fail "cannot switch the X screen saver on"

screen_saver_off() {
    [ "$(x_screensaver_timeout)" = 0 ] && [ "$(reg_get "$desktop_key" ScreenSaveActive)" = "REG_SZ 0" ]
}
screen_saver_on() {
    (($(x_screensaver_timeout) > 0)) && [ "$(reg_get "$desktop_key" ScreenSaveActive)" = "REG_SZ 1" ]
}
# The image families of docs/icons/README.md, whatever the network activity.
shows_family() {  # SHOT_NAME FAMILY
    shown_tray_image "$1" "$rect" && [[ $SHOWN_IMAGE == "$2"_* ]]
}

e2e_start_orbiquell
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
rect=$(field "$(orbiquell_icons)" rect)
poll_until 10 "the hot-corners-on image (imgIcon_)" shows_family start imgIcon ||
    e2e_fail "the icon shows $SHOWN_MATCH, not the imgIcon_ family"
e2e_observed "at start: icon $rect shows $SHOWN_IMAGE; X screen-saver timeout $(x_screensaver_timeout)," \
    "ScreenSaveActive $(reg_get "$desktop_key" ScreenSaveActive)"
screen_saver_on || e2e_fail "the screen saver was switched off at start-up"

# The bottom-right corner is x >= width - 4, y >= height - 4 of the 1024 x 768
# screen; the tray icon lies there too, which changes nothing.
corner_x=1022
corner_y=766
xdotool mousemove "$corner_x" "$corner_y"
rest_ms=$(now_ms)
e2e_log "pointer at $(xdotool getmouselocation)"
# The X setting alone is quick to read, so it times the switch.
x_screen_saver_off() { [ "$(x_screensaver_timeout)" = 0 ]; }
poll_until 10 "the X screen saver to be switched off" x_screen_saver_off ||
    e2e_fail "after 10 s in the corner the X screen-saver timeout is still $(x_screensaver_timeout)"
off_ms=$(($(now_ms) - rest_ms))
poll_until 10 "ScreenSaveActive 0 in the user's profile" screen_saver_off ||
    e2e_fail "ScreenSaveActive is $(reg_get "$desktop_key" ScreenSaveActive) with the X timeout at $(x_screensaver_timeout)"
e2e_observed "resting at $corner_x,$corner_y: X screen saver off $off_ms ms after the pointer arrived" \
    "(X timeout $(x_screensaver_timeout), ScreenSaveActive $(reg_get "$desktop_key" ScreenSaveActive))"
# The corner acts on the second tick that finds the pointer there, 400 ms after
# the first at the earliest; a switch sooner was not the resting pointer.
((off_ms >= 350)) || e2e_fail "switched off only $off_ms ms after the pointer arrived"

poll_until 10 "the sleep-never image (imgSleepNever_)" shows_family resting imgSleepNever ||
    e2e_fail "while resting the icon shows $SHOWN_MATCH, not the imgSleepNever_ family"
read -r _ dx dy _ <<<"$SHOWN_MATCH"
graph=$(icon_pixel "$SHOWN_SHOT" "$rect" "$dx" "$dy" 3 2)
letters=$(icon_pixel "$SHOWN_SHOT" "$rect" "$dx" "$dy" 3 7)
e2e_observed "resting: icon shows $SHOWN_IMAGE (graph pixel $graph, letter pixel $letters; $SHOWN_SHOT)"
if [ "$graph" != 800000 ] || [ "$letters" != 800000 ]; then
    e2e_fail "graph $graph and letters $letters are not both dark red 800000"
fi

# Resting on: the flag stays off, the image stays in its family.
for sample in 1 2 3 4 5; do
    screen_saver_off || e2e_fail "the screen saver came back on while resting (sample $sample)"
    sleep 0.3
done
shows_family resting-later imgSleepNever ||
    e2e_fail "after resting the icon shows $SHOWN_MATCH, not the imgSleepNever_ family"

xdotool mousemove 200 200
leave_ms=$(now_ms)
x_screen_saver_on() { (($(x_screensaver_timeout) > 0)); }
poll_until 10 "the X screen saver to be switched on again" x_screen_saver_on ||
    e2e_fail "10 s after leaving the corner the X screen-saver timeout is still $(x_screensaver_timeout)"
on_ms=$(($(now_ms) - leave_ms))
poll_until 10 "ScreenSaveActive 1 in the user's profile" screen_saver_on ||
    e2e_fail "ScreenSaveActive is $(reg_get "$desktop_key" ScreenSaveActive) with the X timeout at $(x_screensaver_timeout)"
e2e_observed "left the corner: X screen saver on $on_ms ms later (X timeout" \
    "$(x_screensaver_timeout), ScreenSaveActive $(reg_get "$desktop_key" ScreenSaveActive))"
poll_until 10 "the hot-corners-on image again" shows_family left imgIcon ||
    e2e_fail "after leaving the icon shows $SHOWN_MATCH, not the imgIcon_ family"
e2e_observed "left the corner: icon shows $SHOWN_IMAGE"

# Hot corners switched off while the corner holds: nothing watches the pointer
# leave any more, so the switch itself lets go. The keyboard unticks the box
# and applies, so that the pointer never leaves the corner.
double_click_icon
poll_until 20 "the main window" main_window_visible || e2e_fail "no main window after a double click on the icon"
select_tab Settings
xdotool mousemove "$corner_x" "$corner_y"
poll_until 10 "the X screen saver to be switched off" x_screen_saver_off ||
    e2e_fail "back in the corner, the X screen-saver timeout is still $(x_screensaver_timeout)"
xdotool key alt+e
poll_until 10 "'&Enable Hot Corners' unticked" control_has '&Enable Hot Corners' checked 0 ||
    e2e_fail "Alt+E left '&Enable Hot Corners' ticked"
xdotool key alt+a
apply_ms=$(now_ms)
hot_corners_off() { [ "$(reg_get "$settings" HotCorners)" = "REG_DWORD 0x0" ]; }
poll_until 10 "HotCorners 0" hot_corners_off || e2e_fail "Apply stored HotCorners $(reg_get "$settings" HotCorners)"
poll_until 10 "the X screen saver to be switched on again" x_screen_saver_on ||
    e2e_fail "10 s after hot corners were switched off in the corner the X timeout is $(x_screensaver_timeout)"
e2e_observed "switched off in the corner: X screen saver on $(($(now_ms) - apply_ms)) ms after Apply" \
    "(pointer at $(xdotool getmouselocation --shell | tr '\n' ' '))"
poll_until 10 "ScreenSaveActive 1 in the user's profile" screen_saver_on ||
    e2e_fail "ScreenSaveActive is $(reg_get "$desktop_key" ScreenSaveActive) after hot corners were switched off"

probe close Orbiquell.HiddenForm >/dev/null || e2e_fail "no window to close"
poll_until 30 "Orbiquell to end" process_ended "$ORBIQUELL_PID" || e2e_fail "Orbiquell did not end"
e2e_log PASS
