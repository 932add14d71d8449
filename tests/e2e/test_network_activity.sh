#!/usr/bin/env bash
# The icon's indicators follow the byte counters of all network interfaces, the
# loopback interface included. Traffic over the host's loopback (which Wine's
# interface table counts) lights both indicators, IN and OUT, since every byte
# is both sent and received there; once it stops the icon is back to its "none"
# image within a few ticks. The drawn pixels are compared with the reference
# images of docs/icons/16.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

# The counters as Orbiquell reads them: the loopback row of the interface table.
loopback_octets() {
    probe interfaces | awk -F'\t' '$3 == "type=24" { print substr($5, 11), substr($6, 12); exit }'
}
shows() {  # SHOT_NAME IMAGE
    shown_tray_image "$1" "$rect" && [ "$SHOWN_IMAGE" = "$2" ]
}
indicators() {  # the IN and OUT indicator pixels of the last matched screenshot
    local dx dy
    read -r _ dx dy _ <<<"$SHOWN_MATCH"
    printf 'IN %s/%s, OUT %s/%s' \
        "$(icon_pixel "$SHOWN_SHOT" "$rect" "$dx" "$dy" 13 7)" \
        "$(icon_pixel "$SHOWN_SHOT" "$rect" "$dx" "$dy" 14 8)" \
        "$(icon_pixel "$SHOWN_SHOT" "$rect" "$dx" "$dy" 13 12)" \
        "$(icon_pixel "$SHOWN_SHOT" "$rect" "$dx" "$dy" 14 13)"
}

# Hot corners are off in this prefix unless a test sets them, but the family
# must be known for the exact comparison.
settings='HKLM\Software\Orbiquell\Settings'
saved_hot_corners=$(reg_get "$settings" HotCorners) || saved_hot_corners=
e2e_on_cleanup reg_restore "$settings" HotCorners "$saved_hot_corners"
reg_set "$settings" HotCorners REG_DWORD 0

loopback_before=$(loopback_octets) || true
[ -n "$loopback_before" ] || e2e_fail "no loopback row in the interface table: $(probe interfaces)"

e2e_start_orbiquell
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
rect=$(field "$(orbiquell_icons)" rect)
# A quiet network first, so that what lights up later is the traffic made here.
poll_until 30 "the quiet image imgSleeperDisabled_none" shows quiet imgSleeperDisabled_none ||
    e2e_fail "the icon shows $SHOWN_MATCH, not imgSleeperDisabled_none"
e2e_observed "quiet: icon $rect shows $SHOWN_IMAGE ($(indicators))"

# Traffic over 127.0.0.1: a sender and a receiver in one process, 64 KiB every
# 20 ms, ending by itself after 30 s or 1500 chunks, whichever comes first.
python3 -c '
import socket, time
server = socket.socket()
server.bind(("127.0.0.1", 0))
server.listen(1)
sender = socket.create_connection(server.getsockname())
receiver, _ = server.accept()
chunk = b"x" * 65536
end = time.monotonic() + 30
for _ in range(1500):
    if time.monotonic() > end:
        break
    sender.sendall(chunk)
    got = 0
    while got < len(chunk):
        got += len(receiver.recv(len(chunk) - got))
    time.sleep(0.02)
' >>"$E2E_ARTIFACTS/traffic.log" 2>&1 &
traffic_pid=$!
stop_traffic() {
    kill "$traffic_pid" 2>/dev/null || true
    wait "$traffic_pid" 2>/dev/null || true
}
e2e_on_cleanup stop_traffic
traffic_ms=$(now_ms)

poll_until 15 "both indicators lit (imgSleeperDisabled_rxtx)" shows traffic imgSleeperDisabled_rxtx ||
    e2e_fail "with loopback traffic the icon shows $SHOWN_MATCH"
lit_ms=$(($(now_ms) - traffic_ms))
e2e_observed "traffic: $SHOWN_IMAGE after $lit_ms ms ($(indicators); $SHOWN_SHOT)"
[ "$(indicators)" = "IN 00FF00/00FF00, OUT 00FF00/00FF00" ] || e2e_fail "indicators not lit: $(indicators)"
process_running "$traffic_pid" || e2e_fail "the traffic ended before the icon was checked"
loopback_during=$(loopback_octets)
stop_traffic
stopped_ms=$(now_ms)
e2e_observed "loopback octets in/out of the interface table: $loopback_before before, $loopback_during during the traffic"
read -r in_before out_before <<<"$loopback_before"
read -r in_during out_during <<<"$loopback_during"
((in_during > in_before && out_during > out_before)) || e2e_fail "the loopback counters did not rise"

poll_until 10 "the indicators to go dark (imgSleeperDisabled_none)" shows after imgSleeperDisabled_none ||
    e2e_fail "10 s after the traffic stopped the icon shows $SHOWN_MATCH"
e2e_observed "traffic stopped: $SHOWN_IMAGE after $(($(now_ms) - stopped_ms)) ms ($(indicators); $SHOWN_SHOT)"

probe close Orbiquell.HiddenForm >/dev/null || e2e_fail "no window to close"
poll_until 30 "Orbiquell to end" process_ended "$ORBIQUELL_PID" || e2e_fail "Orbiquell did not end"
e2e_log PASS
