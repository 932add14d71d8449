#!/usr/bin/env bash
# GetMemoryUsage under Wine: the text must be the committed memory that Wine's
# GlobalMemoryStatusEx reports in the same process (total minus available page
# file, in kilobytes, with the locale's separator and " K"), and agree with
# that figure as Wine computes it from the host's /proc/meminfo.
#
# usage: test_mem_stats.sh PROBE_EXE
#
# Wine 8 computes it in whole pages as MemTotal + SwapTotal (one page when
# there is no swap) - free - SwapFree, with free = MemFree + Buffers + Cached;
# later Wine versions take MemAvailable as free instead. The figure is matched
# against whichever of the two is nearer, within kTolerance kilobytes, since
# the host's memory moves between the reads.
set -euo pipefail
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

probe=${1:?path of orbiquell-monitors-probe.exe}
readonly kTolerance=32768

# kilobytes BYTES: rounded to the nearest, a half to the even neighbour.
kilobytes() {
    local quotient=$(($1 / 1024)) rest=$(($1 % 1024))
    if ((rest > 512 || (rest == 512 && quotient % 2 == 1))); then ((quotient += 1)); fi
    echo "$quotient"
}

# grouped NUMBER SEPARATOR: the digits in threes, as the pattern "#,###" writes
# them.
grouped() {
    local digits=$1 text=''
    while ((${#digits} > 3)); do
        text=$2${digits: -3}$text
        digits=${digits:0:${#digits}-3}
    done
    echo "$digits$text"
}

# "wine8 available" committed kilobytes from /proc/meminfo.
meminfo_committed() {
    awk '/^MemTotal:/ { total = $2 } /^MemFree:/ { free = $2 } /^MemAvailable:/ { available = $2 }
         /^Buffers:/ { buffers = $2 } /^Cached:/ { cached = $2 }
         /^SwapTotal:/ { swap = $2 } /^SwapFree:/ { swapFree = $2 }
         END { if (swap == 0) swap = 4
               printf "%d %d\n", int((total + swap - free - buffers - cached - swapFree) / 4) * 4,
                                 int((total + swap - available - swapFree) / 4) * 4 }' /proc/meminfo
}

wine_prefix_ready
wm_start_probe "$probe" memory
win2k=$(wm_probe_field win2k_or_later)
separator=$(wm_probe_field separator)
before=$(wm_probe_field committed_before)
text=$(wm_probe_field text)
after=$(wm_probe_field committed_after)
# Read while the probe, which counts in the figure, still runs.
read -r wine8 available < <(meminfo_committed)
wm_release_probe
wm_wait_probe

((win2k == 1)) || wm_fail "the program did not take Wine for Windows 2000 or later"
[[ $before =~ ^[0-9]+$ && $after =~ ^[0-9]+$ ]] ||
    wm_fail "GlobalMemoryStatusEx failed: '$before', '$after'"
expected_before="$(grouped "$(kilobytes "$before")" "$separator") K"
expected_after="$(grouped "$(kilobytes "$after")" "$separator") K"
wm_observed "GetMemoryUsage '$text'; GlobalMemoryStatusEx committed $before and $after bytes"
[ "$text" = "$expected_before" ] || [ "$text" = "$expected_after" ] ||
    wm_fail "GetMemoryUsage says '$text', GlobalMemoryStatusEx '$expected_before' / '$expected_after'"

shown=${text% K}
shown=${shown//"$separator"/}
wm_observed "committed K: shown $shown, /proc/meminfo as Wine 8 computes it $wine8 ($((shown - wine8))), with MemAvailable $available ($((shown - available)))"
near() { (($1 - $2 <= kTolerance && $2 - $1 <= kTolerance)); }
near "$shown" "$wine8" || near "$shown" "$available" ||
    wm_fail "$shown K is not within $kTolerance K of /proc/meminfo's $wine8 K or $available K"
