#!/usr/bin/env bash
# CPUString under Wine, reading the Processor object that orbiquell_perf.dll
# serves, against the host's own /proc/stat over the same interval: one figure
# per host processor, each within 10 points of the host's figure; with one
# processor kept busy by a bounded loop for 3 s, that one at 80 or more and an
# idle one at 20 or less.
#
# usage: test_cpu_load.sh PROVIDER_DLL PROBE_EXE
#
# The host's figure for a processor is 100 - 100 * (idle + iowait) / all time
# (user through steal), from the /proc/stat lines read just after the probe's
# first sample and just before its second. Each measurement waits (up to 90
# seconds) for a moment when some other processor is idle; when other work on
# the host still keeps every other processor above 20 in three measurements,
# there is no idle processor to compare and the test is skipped (status 77).
# The agreement with /proc/stat is checked in every measurement all the same.
set -euo pipefail
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

provider=${1:?path of orbiquell_perf.dll}
probe=${2:?path of orbiquell-monitors-probe.exe}
readonly kBusySeconds=3 kAgreement=10 kBusyAtLeast=80 kIdleAtMost=20 kAttempts=3

command -v taskset >/dev/null || wm_fail "taskset (util-linux) is missing"
wine_prefix_ready
wm_register_provider "$provider"

# The processors in /proc/stat order, which numbers them for Windows as well.
mapfile -t cpu_ids < <(awk '$1 ~ /^cpu[0-9]+$/ { print substr($1, 4) }' /proc/stat)
processors=$(nproc)
((${#cpu_ids[@]} == processors)) ||
    wm_fail "/proc/stat lists ${#cpu_ids[@]} processors, nproc says $processors"
busy=0  # index of the processor the loop keeps busy

# One "idle total" line per processor, in ticks.
cpu_times() {
    awk '$1 ~ /^cpu[0-9]+$/ { total = 0; for (i = 2; i <= 9; i++) total += $i; print $5 + $6, total }' \
        /proc/stat
}

# host_usage BEFORE AFTER: each processor's usage between two cpu_times, with
# one decimal.
host_usage() {
    printf '%s\n' "$1" "$2" | awk -v n="$processors" '
        NR <= n { idle[NR] = $1; total[NR] = $2; next }
        { i = NR - n; spent = $2 - total[i]
          printf "%.1f\n", (spent > 0) ? 100 - 100 * ($1 - idle[i]) / spent : 0 }'
}

# cpu_figures TEXT: the figures of a CPUString, one per line, if the text has
# the form it must have for this many processors ("07 %" for one, "07% 42%"
# for more).
cpu_figures() {
    local text=$1 pattern
    if ((processors == 1)); then
        pattern='^[0-9]{2,3} %$'
    else
        pattern="^[0-9]{2,3}%( [0-9]{2,3}%){$((processors - 1))}\$"
    fi
    [[ $text =~ $pattern ]] || return 1
    grep -oE '[0-9]+' <<<"$text" | sed 's/^0\([0-9]\)$/\1/'
}

# Whether some processor but the one to be kept busy was idle (10 or less)
# over the last second.
host_has_idle_processor() {
    local before after usage i=0
    before=$(cpu_times)
    sleep 1  # the window measured
    after=$(cpu_times)
    while read -r usage; do
        if ((i != busy)) && awk -v a="$usage" 'BEGIN { exit !(a <= 10) }'; then return 0; fi
        ((i += 1))
    done <<<"$(host_usage "$before" "$after")"
    return 1
}

# Waits up to SECONDS for a quiet moment; says so when there was none.
wait_for_quiet_host() {
    local deadline=$((SECONDS + $1))
    until host_has_idle_processor; do
        if ((SECONDS >= deadline)); then
            wm_log "no processor went idle within $1 s; measuring all the same"
            return 0
        fi
    done
}

# Sets FIGURES (CPUString's) and HOST (/proc/stat's) for one interval with
# the busy loop in it.
measure() {
    wm_start_probe "$probe" cpu
    local windows_processors first before after second
    windows_processors=$(wm_probe_field processors)
    ((windows_processors == processors)) ||
        wm_fail "GetSystemInfo reports $windows_processors processors, nproc $processors"
    wm_probe_field ready >/dev/null
    ((processors == 1)) || wait_for_quiet_host 90
    wm_release_probe
    first=$(wm_probe_field first)
    before=$(cpu_times)
    # Bounded: timeout ends the loop, with status 124.
    taskset -c "${cpu_ids[busy]}" timeout "$kBusySeconds" sh -c 'while :; do :; done' || true
    after=$(cpu_times)
    wm_release_probe
    second=$(wm_probe_field second 60)
    wm_wait_probe
    wm_log "CPUString: first '$first', second '$second'"
    local figures
    figures=$(cpu_figures "$second") ||
        wm_fail "'$second' is not one figure per processor for $processors processors"
    mapfile -t FIGURES <<<"$figures"
    mapfile -t HOST <<<"$(host_usage "$before" "$after")"
}

for ((attempt = 1; attempt <= kAttempts; attempt++)); do
    measure
    report=()
    for ((i = 0; i < processors; i++)); do
        report+=("cpu${cpu_ids[i]}: CPUString ${FIGURES[i]}, /proc/stat ${HOST[i]}")
    done
    wm_observed "attempt $attempt, busy cpu${cpu_ids[busy]}: $(IFS=';'; echo "${report[*]}")"
    for ((i = 0; i < processors; i++)); do
        awk -v a="${FIGURES[i]}" -v b="${HOST[i]}" -v d="$kAgreement" \
            'BEGIN { exit !(a - b <= d && b - a <= d) }' ||
            wm_fail "cpu${cpu_ids[i]}: CPUString says ${FIGURES[i]}, /proc/stat ${HOST[i]}"
    done
    ((FIGURES[busy] >= kBusyAtLeast)) ||
        wm_fail "the busy cpu${cpu_ids[busy]} reads ${FIGURES[busy]}, below $kBusyAtLeast"
    if ((processors == 1)); then
        wm_log "one processor only: no idle one to compare"
        exit 0
    fi
    quietest=-1
    for ((i = 0; i < processors; i++)); do
        ((i == busy)) && continue
        if ((quietest < 0)) || awk -v a="${HOST[i]}" -v b="${HOST[quietest]}" 'BEGIN { exit !(a < b) }'; then
            quietest=$i
        fi
    done
    if ((FIGURES[quietest] <= kIdleAtMost)); then
        wm_log "cpu${cpu_ids[quietest]} idle at ${FIGURES[quietest]}"
        exit 0
    fi
    if awk -v a="${HOST[quietest]}" -v limit="$kIdleAtMost" 'BEGIN { exit !(a <= limit) }'; then
        wm_fail "cpu${cpu_ids[quietest]} reads ${FIGURES[quietest]} though /proc/stat has it at ${HOST[quietest]}"
    fi
    wm_log "attempt $attempt: other work kept every other processor busy; measuring again"
done
wm_log "SKIPPED: no processor stayed idle in $kAttempts measurements"
exit 77
