#!/usr/bin/env bash
# Resting the pointer on Orbiquell's icon shows the tooltip
# "<computer name> up for <d> days, h:mm:ss" with the system's uptime, and the
# text keeps up with the time while the tooltip is open.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_orbiquell
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
rect=$(field "$(orbiquell_icons)" rect)
IFS=, read -r l t r b <<<"$rect"
cx=$(((l + r) / 2))
cy=$(((t + b) / 2))

hover() {
    xdotool mousemove 200 200
    xdotool mousemove "$cx" "$cy"
    HOVERED_MS=$(now_ms)
}

# A tooltip closes by itself after a while; then the pointer is moved off the
# icon and back. Not sooner: each new arrival restarts the tooltip's delay.
hover_again_if_closed() {
    (($(now_ms) - HOVERED_MS > 5000)) && hover
    return 1
}

# Reads the tooltip on show into TIP_TEXT, with the host's uptime just before
# and just after in UPTIME_BEFORE and UPTIME_AFTER.
read_tooltip() {
    local before after tips
    before=$(host_uptime)
    tips=$(probe tooltips) || hover_again_if_closed || return 1
    after=$(host_uptime)
    TIP_TEXT=$(awk -F'\t' -v prefix="text=$COMPUTER_NAME " '
        $1 == "tooltip" && index($NF, prefix) == 1 { print substr($NF, 6) }' <<<"$tips")
    [ -n "$TIP_TEXT" ] || hover_again_if_closed || return 1
    [ "$(wc -l <<<"$TIP_TEXT")" -eq 1 ] || e2e_fail "several tooltips shown: $tips"
    UPTIME_BEFORE=$before
    UPTIME_AFTER=$after
}

# The uptime a tip shows must lie within 2 s of the host's uptime at the moment
# the tip was read (Wine's tick count is the host's monotonic clock).
check_uptime() {
    local shown
    shown=$(parse_uptime_tip "$TIP_TEXT") || e2e_fail "tooltip '$TIP_TEXT': $shown"
    awk -v s="$shown" -v lo="$UPTIME_BEFORE" -v hi="$UPTIME_AFTER" \
        'BEGIN { exit !(s >= lo - 2 && s <= hi + 2) }' ||
        e2e_fail "tooltip shows $shown s, the host's uptime was $UPTIME_BEFORE..$UPTIME_AFTER s"
    SHOWN=$shown
    DIFF=$(awk -v s="$shown" -v lo="$UPTIME_BEFORE" -v hi="$UPTIME_AFTER" \
        'BEGIN { m = (lo + hi) / 2; printf "%+.2f", s - m }')
}

hover_ms=$(now_ms)
hover
poll_until 30 "the tooltip of the icon" read_tooltip || e2e_fail "no tooltip appeared"
e2e_observed "tooltip after $(($(now_ms) - hover_ms)) ms of hovering: '$TIP_TEXT'"
check_uptime
first_text=$TIP_TEXT
first_shown=$SHOWN
first_ms=$(now_ms)
e2e_observed "shown uptime $SHOWN s vs /proc/uptime $UPTIME_BEFORE..$UPTIME_AFTER s (difference $DIFF s)"

# A few seconds later the open tooltip shows a later uptime.
later_tip() { read_tooltip && check_uptime && ((SHOWN >= first_shown + 3)); }
poll_until 30 "the tooltip to show an uptime 3 s later" later_tip ||
    e2e_fail "the tooltip stayed at '$first_text' (last read '$TIP_TEXT')"
[ "$TIP_TEXT" != "$first_text" ] || e2e_fail "the tooltip text did not change"
elapsed_ms=$(($(now_ms) - first_ms))
e2e_observed "after $elapsed_ms ms: '$TIP_TEXT' (shown uptime $SHOWN s, difference $DIFF s)"
# The tip advanced with the clock, not by some other amount.
((SHOWN - first_shown <= elapsed_ms / 1000 + 3)) ||
    e2e_fail "the uptime advanced $((SHOWN - first_shown)) s in $elapsed_ms ms"
e2e_screenshot tooltip
e2e_log PASS
