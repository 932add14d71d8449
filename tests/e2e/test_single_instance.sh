#!/usr/bin/env bash
# A second start of Orbiquell only warns: a message box titled "Orbiquell" with
# the exclamation icon, an OK button and the two-line text. Pressing OK ends the
# second process; the first keeps running with its icon.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

expected_text='An instance of Orbiquell is already running.\r\nShut it down before attempting to start another instance.'

e2e_start_orbiquell
first_pid=$ORBIQUELL_PID
poll_until 60 "the first instance's icon" have_orbiquell_icon || e2e_fail "no icon appeared"

e2e_start_orbiquell
second_pid=$ORBIQUELL_PID
box_shown() { BOX=$(probe dialog Orbiquell); }
poll_until 60 "the second instance's message box" box_shown || e2e_fail "no message box appeared"
printf '%s\n' "$BOX" >"$E2E_ARTIFACTS/message-box.txt"
e2e_screenshot message-box

dialog=$(awk -F'\t' '$1 == "dialog"' <<<"$BOX")
[ "$(wc -l <<<"$dialog")" -eq 1 ] || e2e_fail "expected one message box: $BOX"
[ "$(field "$dialog" text)" = Orbiquell ] || e2e_fail "title: $dialog"
texts=$(awk -F'\t' '$1 == "static" && $NF != "text=" { print substr($NF, 6) }' <<<"$BOX")
e2e_observed "message box title '$(field "$dialog" text)', text '$texts'"
[ "$texts" = "$expected_text" ] || e2e_fail "text '$texts', expected '$expected_text'"
buttons=$(awk -F'\t' '$1 == "button" && $4 == "visible=1"' <<<"$BOX")
[ "$(wc -l <<<"$buttons")" -eq 1 ] || e2e_fail "expected the OK button alone: $buttons"
if [ "$(field "$buttons" text)" != OK ] || [ "$(field "$buttons" id)" != 1 ]; then
    e2e_fail "not an OK button: $buttons"
fi
icon=$(awk -F'\t' '$1 == "dialog-icon"' <<<"$BOX")
e2e_observed "message box icon: $icon"
[ "$(field "$icon" kind)" = exclamation ] || e2e_fail "not the exclamation icon: $icon"

# While the box is up the second process waits in it and adds no icon.
process_running "$second_pid" || e2e_fail "the second process ended before OK was pressed"
[ "$(orbiquell_icons | wc -l)" -eq 1 ] || e2e_fail "more than one icon: $(orbiquell_icons)"

# Press OK with a real click.
IFS=, read -r l t r b <<<"$(field "$buttons" rect)"
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
xdotool mousemove 200 200
poll_until 30 "the second process to end" process_ended "$second_pid" ||
    e2e_fail "the second process still runs after OK"
second_status=0
wait "$second_pid" || second_status=$?
box_gone() { ! probe dialog Orbiquell >/dev/null; }
poll_until 10 "the message box to close" box_gone || e2e_fail "the message box is still shown"
e2e_observed "second instance ended with exit status $second_status after OK"

# The first instance is untouched: still running, one hidden form, its icon
# still there and its tip still being refreshed.
process_running "$first_pid" || e2e_fail "the first instance ended too"
forms=$(probe windows Orbiquell.HiddenForm) || e2e_fail "the first instance's window is gone"
[ "$(wc -l <<<"$forms")" -eq 1 ] || e2e_fail "expected one hidden form: $forms"
icons=$(orbiquell_icons)
[ "$(wc -l <<<"$icons")" -eq 1 ] || e2e_fail "expected one icon: $icons"
tip=$(field "$icons" tip)
parse_uptime_tip "$tip" >/dev/null || e2e_fail "tip '$tip': $(parse_uptime_tip "$tip")"
tip_changed() { [ "$(field "$(orbiquell_icons)" tip)" != "$tip" ]; }
poll_until 10 "the first instance to refresh its tip" tip_changed ||
    e2e_fail "the first instance's tip stopped changing at '$tip'"
e2e_observed "first instance still running, tip now '$(field "$(orbiquell_icons)" tip)'"
e2e_log PASS
