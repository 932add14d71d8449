#!/usr/bin/env bash
# Orbiquell's icon comes back when the shell loses it: at once, with the uptime
# tip, when the shell broadcasts "TaskbarCreated", as a restarted Explorer does,
# and within the program's two-second tip period when it does not. The probe
# stages the loss by deleting the icon from outside; Wine's taskbar cannot be
# restarted.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

readonly TICK_MS=400 TIP_PERIOD_MS=2000

e2e_start_orbiquell
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"

# forget_icon [broadcast]: deletes the icon; BACK_MS: the ms until it was back.
forget_icon() {
    local answer
    answer=$(probe forget-icon Orbiquell.PictureBox 9999 "$@") ||
        e2e_fail "the icon did not come back${1:+ after the broadcast}: $answer"
    BACK_MS=$(field "$answer" ms)
}

# The icon is shown again with the uptime tip.
uptime_icon_shown() { orbiquell_icons | grep -q $'\ttip=[^\t]* up for '; }
expect_uptime_icon() {
    local why
    poll_until 10 "the icon with the uptime tip" uptime_icon_shown ||
        e2e_fail "no uptime tip after the icon came back: $(orbiquell_icons)"
    why=$(parse_uptime_tip "$(field "$(orbiquell_icons)" tip)") || e2e_fail "$why"
}

forget_icon broadcast
((BACK_MS <= TICK_MS)) || e2e_fail "back $BACK_MS ms after the broadcast, more than one tick"
# The broadcast brings back the tip of the moment, not the start-up one.
uptime_icon_shown || e2e_fail "back after the broadcast without the uptime tip: $(orbiquell_icons)"
expect_uptime_icon
e2e_observed "with TaskbarCreated: back after $BACK_MS ms"

forget_icon
((BACK_MS <= TIP_PERIOD_MS + TICK_MS)) || e2e_fail "back after $BACK_MS ms without a broadcast"
expect_uptime_icon
e2e_observed "without a broadcast: back after $BACK_MS ms"
e2e_log PASS
