#!/usr/bin/env bash
# Starting Orbiquell puts its icon into the notification area: the taskbar's
# tooltips list an icon whose tip names this computer, and the screen shows an
# image where the taskbar was blank before.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

tray_line=$(probe tray | awk -F'\t' '$1 == "tray"') || true  # fails while no icon is shown
tray_rect=$(field "$tray_line" rect)
[ -z "$(orbiquell_icons)" ] || e2e_fail "an Orbiquell icon is in the tray before the start"
e2e_screenshot before

start_ms=$(now_ms)
e2e_start_orbiquell
poll_until 60 "Orbiquell's icon in the notification area" have_orbiquell_icon ||
    e2e_fail "no icon appeared within 60 s"
icon_ms=$(($(now_ms) - start_ms))
icons=$(orbiquell_icons)
e2e_observed "icon appeared $icon_ms ms after the start: $icons"
[ "$(wc -l <<<"$icons")" -eq 1 ] || e2e_fail "expected one icon, found: $icons"
process_running "$ORBIQUELL_PID" || e2e_fail "Orbiquell is no longer running"

# The icon lies inside the taskbar and has the size of a small icon's cell.
rect=$(field "$icons" rect)
IFS=, read -r l t r b <<<"$rect"
IFS=, read -r tl tt tr tb <<<"$tray_rect"
((l >= tl && r <= tr && t >= tt && b <= tb)) || e2e_fail "icon $rect outside the taskbar $tray_rect"
((r - l >= 16 && r - l <= 48 && b - t >= 16 && b - t <= 48)) || e2e_fail "odd icon size: $rect"

# Pixels: where the taskbar was one flat colour, the icon is drawn now.
poll_until 30 "the icon's pixels on the screen" bash -c '
    import -window root "$1/after.png" &&
    convert "$1/after.png" -crop "$2" +repage "$1/icon-after.png" &&
    [ "$(convert "$1/icon-after.png" -format %k info:)" -ge 3 ]' _ \
    "$E2E_ARTIFACTS" "$((r - l))x$((b - t))+$l+$t" ||
    e2e_fail "nothing drawn at the icon's place $rect"
crop "$E2E_ARTIFACTS/before.png" "$rect" "$E2E_ARTIFACTS/icon-before.png"
before_colours=$(colour_count "$E2E_ARTIFACTS/icon-before.png")
after_colours=$(colour_count "$E2E_ARTIFACTS/icon-after.png")
changed=$(differing_pixels "$E2E_ARTIFACTS/icon-before.png" "$E2E_ARTIFACTS/icon-after.png")
e2e_observed "icon area $rect: $before_colours colour(s) before, $after_colours after, $changed of $(((r - l) * (b - t))) pixels changed"
((before_colours == 1)) || e2e_fail "the icon's place was not blank before the start"
((changed >= 30)) || e2e_fail "only $changed pixels changed where the icon is"

# The program's windows: a hidden form, never shown, owning the picture box
# that the icon reports to.
form=$(probe windows Orbiquell.HiddenForm) || e2e_fail "no Orbiquell.HiddenForm window"
[ "$(wc -l <<<"$form")" -eq 1 ] || e2e_fail "expected one hidden form: $form"
[ "$(field "$form" visible)" = 0 ] || e2e_fail "the hidden form is visible: $form"
probe tree | awk -v form="hwnd=$(field "$form" hwnd)" '
    index($0, form) { depth = match($0, /[^ ]/); inside = 1; next }
    inside && match($0, /[^ ]/) <= depth { inside = 0 }
    inside && /class=Orbiquell\.PictureBox/ { found = 1 }
    END { exit !found }' || e2e_fail "no Orbiquell.PictureBox inside the hidden form"

convert "$E2E_ARTIFACTS/after.png" -crop "200x40+$((tr - 200))+$((tb - 40))" +repage \
    -scale 400% "$E2E_ARTIFACTS/tray-enlarged.png"
e2e_log "PASS (enlarged tray: $E2E_ARTIFACTS/tray-enlarged.png)"
