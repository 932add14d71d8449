#!/usr/bin/env bash
# A change of scale while the main window is open: Windows sends the window
# WM_DPICHANGED, and the window lays itself out as it does when the program
# starts at the new scale. Wine sends no such message, so the probe sends it,
# with 144 DPI and the window's rectangle half as large again; then 96 again.
# The window is compared control by control with the program started in a
# Wine session at 144 DPI, and with itself before the change.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/window_lib.sh"
e2e_begin "$@"

# Wine takes the DPI from the user's desktop settings; older versions from the
# hardware profile's font settings.
dpi_keys=('HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts')
for key in "${dpi_keys[@]}"; do e2e_keep_value "$key" LogPixels; done

# session_at DPI: a Wine session started afresh at DPI, which each process
# reads once when it starts; the last session's desktop window is gone first,
# so that it is not taken for a window outside the new one.
no_desktop() { ! desktop_is_up; }
session_at() {
    local key
    for key in "${dpi_keys[@]}"; do reg_set "$key" LogPixels REG_DWORD "$1"; done
    e2e_stop_wine
    E2E_DESKTOP_UP=
    poll_until 30 "the last session's desktop to close" no_desktop ||
        e2e_fail "the desktop of the last Wine session stays"
    e2e_start_desktop
    xdotool mousemove 200 200
}

# capture NAME: the main window's records as NAME.txt, its controls as
# NAME-layout.txt ("ID|CLASS|LEFT,TOP,WIDTH,HEIGHT" relative to the client
# area) and its client area as NAME.png, once it looks the same twice in a row.
capture() {
    read_form || e2e_fail "no main window for $1"
    printf '%s\n' "$FORM" >"$E2E_ARTIFACTS/$1.txt"
    form_layout "$E2E_ARTIFACTS/$1.txt" >"$E2E_ARTIFACTS/$1-layout.txt"
    local client
    client=$(field "$(form_record form)" client)
    settled_screenshot "$1-screen" "$client"
    crop "$E2E_ARTIFACTS/$1-screen.png" "$client" "$E2E_ARTIFACTS/$1.png"
}

client_width_is() { read_form && [ "$(client_size)" = "$1" ]; }  # "WIDTH HEIGHT"
client_size() {
    local l t r b
    IFS=, read -r l t r b <<<"$(field "$(form_record form)" client)"
    echo "$((r - l)) $((b - t))"
}

# misplaced A B SLACK: the controls of layout A that stand more than SLACK
# pixels away from their place in layout B, or are not the same control.
misplaced() {
    paste -d'|' "$E2E_ARTIFACTS/$1-layout.txt" "$E2E_ARTIFACTS/$2-layout.txt" | awk -F'|' -v slack="$3" '
        $1 != $4 || $2 != $5 { print "control " $1 " (" $2 ") against " $4 " (" $5 ")"; next }
        {
            split($3, a, ","); split($6, b, ",")
            for (i = 1; i <= 4; i++) if (a[i] - b[i] > slack || b[i] - a[i] > slack) {
                print "control " $1 " (" $2 "): " $3 " against " $6; break
            }
        }'
}

# send_dpi NEW OLD: the probe sends the change; the window is taken to have
# handled it once its client area has the size the new DPI gives.
send_dpi() {
    probe dpi-changed "$MAIN_FORM" "$1" "$2" >/dev/null || e2e_fail "could not send WM_DPICHANGED $1"
    local size
    if (($1 == 144)); then size="531 515"; else size="354 343"; fi
    poll_until 30 "a client area of $size after the change to $1 DPI" client_width_is "$size" ||
        e2e_fail "after WM_DPICHANGED $1 the client area is $(client_size), expected $size"
}

open_window() {
    e2e_start_orbiquell -POPUP
    poll_until 60 "the main window" main_window_visible || e2e_fail "no main window"
    # The Settings tab: nothing on it changes by the second.
    select_tab Settings
}

session_at 144
open_window
capture start-144
probe close Orbiquell.HiddenForm >/dev/null || e2e_fail "no window to close"
poll_until 30 "Orbiquell to end" process_ended "$ORBIQUELL_PID" || e2e_fail "Orbiquell did not end"

session_at 96
open_window
capture start-96
send_dpi 144 96
capture live-144
send_dpi 96 144
capture back-96

lines=$(wc -l <"$E2E_ARTIFACTS/start-144-layout.txt")
e2e_observed "$lines controls; client area $(client_size) after the change back"
wrong=$(misplaced live-144 start-144 2)
[ -z "$wrong" ] || e2e_fail "after the change to 144 DPI, not where a start at 144 DPI puts them: $wrong"
wrong=$(misplaced back-96 start-96 0)
[ -z "$wrong" ] || e2e_fail "after the change back to 96 DPI, not where they were: $wrong"

# The text is drawn at the larger size, not stretched: every label shows the
# same pixels as after a start at 144 DPI. (Wine draws a check box's box at the
# size of the DPI its session started with; that is all that differs there.)
labels=$(awk -F'\t' '
    function value(key,    i) { for (i = 1; i <= NF; i++) if (index($i, key "=") == 1) return substr($i, length(key) + 2) }
    $1 == "form" { split(value("client"), client, ",") }
    $1 == "control" && value("class") == "Static" && value("visible") == 1 && value("text") != "" {
        split(value("rect"), r, ",")
        printf "%d,%d,%d,%d\n", r[1] - client[1], r[2] - client[2], r[3] - client[1], r[4] - client[2]
    }' "$E2E_ARTIFACTS/live-144.txt")
[ -n "$labels" ] || e2e_fail "no label with text on the Settings tab"
label_pixels=0
while read -r rect; do
    crop "$E2E_ARTIFACTS/live-144.png" "$rect" "$E2E_ARTIFACTS/.label-live.png"
    crop "$E2E_ARTIFACTS/start-144.png" "$rect" "$E2E_ARTIFACTS/.label-start.png"
    (($(colour_count "$E2E_ARTIFACTS/.label-start.png") > 1)) || e2e_fail "no text drawn at $rect"
    label_pixels=$((label_pixels + $(differing_pixels "$E2E_ARTIFACTS/.label-live.png" "$E2E_ARTIFACTS/.label-start.png")))
done <<<"$labels"
whole_144=$(differing_pixels "$E2E_ARTIFACTS/live-144.png" "$E2E_ARTIFACTS/start-144.png")
whole_96=$(differing_pixels "$E2E_ARTIFACTS/back-96.png" "$E2E_ARTIFACTS/start-96.png")
e2e_observed "pixels differing from a start at the same DPI: $label_pixels in the $(wc -l <<<"$labels")" \
    "labels and $whole_144 in the client area at 144 DPI, $whole_96 in the client area back at 96 DPI"
((label_pixels == 0)) || e2e_fail "the labels at 144 DPI look different from a start at 144 DPI"
((whole_96 == 0)) || e2e_fail "back at 96 DPI the window looks different from a start at 96 DPI"
e2e_log PASS
