#!/usr/bin/env bash
# At 144 DPI (150 %) the main window is laid out 1.5 times as large as at 96 DPI:
# its client area is 531 x 515 pixels instead of 354 x 343, every control keeps
# its place and size in proportion, and the window opens centred on the screen
# as it does at 96 DPI. The window is opened with -POPUP at 96 DPI, then
# in a fresh Wine session at 144 DPI, and the two are compared.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/window_lib.sh"
e2e_begin "$@"

# Wine takes the DPI from the user's desktop settings; older versions read the
# hardware profile's font settings, so both say the same.
user_dpi='HKCU\Control Panel\Desktop'
machine_dpi='HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'
saved_user_dpi=$(reg_get "$user_dpi" LogPixels) || saved_user_dpi=
saved_machine_dpi=$(reg_get "$machine_dpi" LogPixels) || saved_machine_dpi=
restore() {
    reg_restore "$user_dpi" LogPixels "$saved_user_dpi"
    reg_restore "$machine_dpi" LogPixels "$saved_machine_dpi"
}
e2e_on_cleanup restore

# set_dpi DPI: every process reads the DPI once, when it starts, so the Wine
# session starts afresh with the desktop and its taskbar.
set_dpi() {
    reg_set "$user_dpi" LogPixels REG_DWORD "$1"
    reg_set "$machine_dpi" LogPixels REG_DWORD "$1"
    e2e_stop_wine
    e2e_start_desktop
    xdotool mousemove 200 200
}

# open_window DPI: starts Orbiquell with -POPUP, keeps the window's records in
# form-DPI.txt and a screenshot of its Settings tab, where nothing changes by
# the second, as screen-DPIdpi.png, and ends it.
open_window() {
    e2e_start_orbiquell -POPUP
    poll_until 60 "the main window at $1 DPI" main_window_visible || e2e_fail "no main window at $1 DPI"
    read_form
    printf '%s\n' "$FORM" >"$E2E_ARTIFACTS/form-$1.txt"
    select_tab Settings
    settled_screenshot "screen-$1dpi" "$(window_rect "$1")"
    e2e_observed "$1 DPI: $(form_record form)"
    probe close Orbiquell.HiddenForm >/dev/null || e2e_fail "no window to close"
    poll_until 30 "Orbiquell to end" process_ended "$ORBIQUELL_PID" || e2e_fail "Orbiquell did not end"
}

window_rect() { field "$(head -n1 "$E2E_ARTIFACTS/form-$1.txt")" rect; }  # DPI

client_size() {  # DPI: "WIDTH HEIGHT"
    local l t r b
    IFS=, read -r l t r b <<<"$(field "$(head -n1 "$E2E_ARTIFACTS/form-$1.txt")" client)"
    echo "$((r - l)) $((b - t))"
}

layout() { form_layout "$E2E_ARTIFACTS/form-$1.txt"; }  # DPI

# centred DPI: the window opened centred on the screen.
centred() {
    e2e_observed "$1 DPI: window $(window_rect "$1")"
    centred_on_screen "$(window_rect "$1")"
}

set_dpi 96
open_window 96
set_dpi 144
open_window 144
keep_screenshot "$E2E_ARTIFACTS/screen-144dpi.png" "$(window_rect 144)" main-window-144dpi.png

read -r w96 h96 <<<"$(client_size 96)"
read -r w144 h144 <<<"$(client_size 144)"
e2e_observed "client area $w96 x $h96 at 96 DPI, $w144 x $h144 at 144 DPI"
((w96 == 354 && h96 == 343)) || e2e_fail "client area $w96 x $h96 at 96 DPI, expected 354 x 343"
# 5145 twips are 514.5 pixels at 144 DPI; either rounding is fine.
((w144 == 531 && (h144 == 514 || h144 == 515))) ||
    e2e_fail "client area $w144 x $h144 at 144 DPI, expected 531 x 515"

# Each control where it was, 1.5 times as far from the corner and as large, give
# or take the rounding of both layouts. The labels that take the width of their
# text may be off by more, since a font's text is not exactly 1.5 times as wide
# at 144 DPI; so may the links placed after them, in their left edge. They are
# found by the text they show.
layout 96 >"$E2E_ARTIFACTS/layout-96.txt"
layout 144 >"$E2E_ARTIFACTS/layout-144.txt"
[ "$(wc -l <"$E2E_ARTIFACTS/layout-96.txt")" -eq "$(wc -l <"$E2E_ARTIFACTS/layout-144.txt")" ] ||
    e2e_fail "a different number of controls at 144 DPI (see layout-96.txt and layout-144.txt)"
text_sized='Copyright (C) 2005|Dorrik Vell|visit the Orbiquell|website'
sized_ids=$(awk -F'\t' -v names="$text_sized" '
    BEGIN { n = split(names, list, "|"); for (i = 1; i <= n; i++) wanted["text=" list[i]] = 1 }
    $1 == "control" && ($NF in wanted) { for (i = 1; i <= NF; i++) if (index($i, "id=") == 1) print substr($i, 4) }' \
    "$E2E_ARTIFACTS/form-96.txt" | paste -sd'|')
[ "$(awk -F'|' '{ print NF }' <<<"$sized_ids")" -eq 4 ] || e2e_fail "not all of '$text_sized' found"
misplaced=$(paste -d'|' "$E2E_ARTIFACTS/layout-96.txt" "$E2E_ARTIFACTS/layout-144.txt" |
    awk -F'|' -v sized_ids="$sized_ids" '
        BEGIN { n = split(sized_ids, ids, "|"); for (i = 1; i <= n; i++) sized[ids[i]] = 1 }
        $1 != $4 || $2 != $5 { print "control " $1 " (" $2 ") became " $4 " (" $5 ")"; next }
        {
            split($3, a, ","); split($6, b, ",")
            for (i = 1; i <= 4; i++) {
                # Small sizes of a font are hinted narrower than its large ones
                # (under Wine by up to 17 pixels in one of these lines at 144
                # DPI), and the links follow the labels before them.
                slack = sized[$1] && i != 2 ? 20 : 2
                d = b[i] - 1.5 * a[i]
                if (d > slack || d < -slack) {
                    print "control " $1 " (" $2 "): " $3 " at 96 DPI, " $6 " at 144 DPI"
                    break
                }
            }
        }')
e2e_observed "$(wc -l <"$E2E_ARTIFACTS/layout-96.txt") controls compared between 96 and 144 DPI"
[ -z "$misplaced" ] || e2e_fail "not scaled by 1.5: $misplaced"

centred 96 || e2e_fail "at 96 DPI the window $(window_rect 96) is not centred on the screen"
centred 144 || e2e_fail "at 144 DPI the window $(window_rect 144) is not centred on the screen"
e2e_log PASS
