# shellcheck shell=bash
# Shared helpers of the Wine tests of the CPU and memory monitors, sourced by
# the scripts in this directory.
#
# They run in the Wine prefix $WINEPREFIX (ctest gives them one of their own in
# the build tree) and read the host's figures from /proc while the program's
# code runs in orbiquell-monitors-probe. Waits poll or read with generous
# deadlines; nothing relies on a fixed sleep being long enough.

WM_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ORBIQUELL_ROOT=${ORBIQUELL_ROOT:-$(cd "$WM_DIR/../.." && pwd)}
# shellcheck source=../../tools/wine-env.sh
. "$ORBIQUELL_ROOT/tools/wine-env.sh"

WM_NAME=$(basename "${0%.sh}")
# Wine's own messages go to a log here rather than into the test's output.
WM_LOGS=${ORBIQUELL_WINE_MONITORS_LOGS:-${TMPDIR:-/tmp}}

wm_log() { printf '[%s] %s\n' "$WM_NAME" "$*" >&2; }

wm_fail() {
    wm_log "FAIL: $*"
    exit 1
}

# A measured fact worth keeping in the test's output.
wm_observed() { printf 'OBSERVED %s: %s\n' "$WM_NAME" "$*"; }

# The provider DLL installed and registered in the prefix (tools/perf-provider).
wm_register_provider() {
    "$ORBIQUELL_ROOT/tools/register-perf-provider" "$1" || wm_fail "cannot register $1"
}

# wm_start_probe PROBE_EXE COMMAND: runs the probe in the background, talking
# to it through two FIFOs: WM_FROM_PROBE and WM_TO_PROBE are their descriptors.
wm_start_probe() {
    local fifos
    fifos=$(mktemp -d)
    mkfifo "$fifos/to" "$fifos/from"
    # A job of its own, which opens the FIFOs itself: this shell, opening one
    # end, would wait for the other for ever.
    wine_start "$1" "$2" <"$fifos/to" >"$fifos/from" 2>>"$WM_LOGS/$WM_NAME.wine.log" &
    WM_PROBE_PID=$!
    # In the order the probe's side opens them, so that neither waits forever.
    exec {WM_TO_PROBE}>"$fifos/to" {WM_FROM_PROBE}<"$fifos/from"
    rm -r "$fifos"
}

# wm_probe_field NAME [SECONDS]: the value of the probe's next line, which must
# be NAME<TAB>value; fails when the probe says something else, ends, or stays
# silent for SECONDS (default 120, enough for Wine to start its services).
wm_probe_field() {
    local name=$1 timeout=${2:-120} line
    IFS= read -r -t "$timeout" line <&"$WM_FROM_PROBE" ||
        wm_fail "no '$name' line from the probe within ${timeout}s"
    line=${line%$'\r'}
    [[ $line == "$name"$'\t'* ]] || wm_fail "expected '$name' from the probe, got: $line"
    printf '%s\n' "${line#*$'\t'}"
}

wm_release_probe() { printf '\n' >&"$WM_TO_PROBE"; }

wm_wait_probe() {
    local status=0
    wait "$WM_PROBE_PID" || status=$?
    exec {WM_TO_PROBE}>&- {WM_FROM_PROBE}<&-
    ((status == 0)) || wm_fail "the probe ended with status $status"
}
