#!/usr/bin/env bash
# Runs a Windows test program that opens windows: under Wine, inside Wine's
# virtual desktop on an Xvfb server of its own, at a chosen screen DPI. The Wine
# prefix is the one WINEPREFIX names, which must be this test's own: the Wine
# session is stopped at the end.
#
# usage: run_on_display.sh DPI PROGRAM [ARGUMENTS...]
set -euo pipefail
# shellcheck source=../../tools/wine-env.sh
. "$(dirname "$0")/../../tools/wine-env.sh"

dpi=${1:?screen DPI, 96 for 100 %}
program=${2:?path of the test program}
shift 2

xvfb_pid=
display_file=$(mktemp)
stop_session() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
}
cleanup() {
    stop_session
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -f "$display_file"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and reports it.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 150); do
    [ -s "$display_file" ] && break
    sleep 0.2
done
[ -s "$display_file" ] || { echo "run_on_display: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(tr -dc '0-9' <"$display_file")"

wine_prefix_ready
# Every window of the prefix in one virtual desktop, so that activation and
# focus stay inside Wine and no window waits for a window manager there is
# none of; Wine 8 takes the DPI from the user's LogPixels.
reg_add() { wine_start reg add "$@" /f >/dev/null; }
reg_add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
reg_add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
reg_add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
# The session's desktop was made when reg started it, before the settings:
# the program starts a session of its own that reads them.
stop_session

status=0
wine_start "$program" "$@" || status=$?
exit "$status"
