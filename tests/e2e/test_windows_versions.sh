#!/usr/bin/env bash
# Orbiquell on every Windows it names, as Wine reports each to the program
# alone: Windows 98 (the 9x family), NT 4.0, 2000, XP, 7 and 10. On each:
# - the icon comes up with the uptime tip;
# - "-POPUP" opens the window with every Status field filled: the uptime, the
#   start time, the memory in use and, on the NT family, a figure per
#   processor; Windows 98 has no dynamic statistics under Wine, so its CPU
#   field reads "CPU query failed"; Windows 98 and NT 4.0 have only the 32-bit
#   memory record, which has no room for a host of 4 GB or more;
# - resting in the bottom-right corner switches the screen-saver flag off and
#   leaving it switches it on again: on the NT family the user's profile goes
#   with it, on the 9x family it is left untouched;
# - "E&xit Orbiquell" from the tray menu ends the program and removes its icon.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/window_lib.sh"
e2e_begin "$@"

exe_name=$(basename "$E2E_EXE")
version_key="HKCU\\Software\\Wine\\AppDefaults\\$exe_name"
settings='HKLM\Software\Orbiquell\Settings'
desktop_key='HKCU\Control Panel\Desktop'
e2e_keep_value "$version_key" Version
e2e_keep_value "$settings" HotCorners
e2e_keep_screen_saver
e2e_on_cleanup xdotool mousemove 200 200
if [ -n "${ORBIQUELL_PERF_PROVIDER:-}" ]; then
    "$ORBIQUELL_ROOT/tools/register-perf-provider" "$ORBIQUELL_PERF_PROVIDER" >/dev/null ||
        e2e_fail "cannot register the performance-counter provider"
fi
reg_set "$settings" HotCorners REG_DWORD 1

profile_flag() { reg_get "$desktop_key" ScreenSaveActive || echo absent; }
x_saver_on() { (($(x_screensaver_timeout) > 0)); }
x_saver_off() { [ "$(x_screensaver_timeout)" = 0 ]; }
profile_is() { [ "$(profile_flag)" = "REG_SZ $1" ]; }

has_uptime_tip() {
    local icon
    icon=$(orbiquell_icons)
    [ -n "$icon" ] && parse_uptime_tip "$(field "$icon" tip)" >/dev/null
}

# Wine's page-file limit is the host's memory and swap together. Windows 98 and
# NT 4.0 have only the 32-bit memory record, which cannot hold 4 GB or more.
host_page_file_kb=$(awk '$1 == "MemTotal:" || $1 == "SwapTotal:" { kb += $2 } END { print kb }' /proc/meminfo)

# The four display fields of the Status tab, in their order on the form:
# uptime, start time, processor use, memory use.
status_fields() {
    read_form || return 1
    awk -F'\t' '$1 == "control" && $3 == "class=Edit" { print substr($NF, 6) }' <<<"$FORM" |
        head -n 4
}

# status_filled FAMILY RECORD: every field reads as the program shows it on FAMILY
# (nt or 9x) and the memory RECORD (32 or 64 bits); STATUS_WRONG says which
# does not.
status_filled() {
    local fields uptime start cpu memory
    fields=$(status_fields) || { STATUS_WRONG="no main window"; return 1; }
    { read -r uptime; read -r start; read -r cpu; read -r memory; } <<<"$fields"
    STATUS_FIELDS="uptime '$uptime', start '$start', CPU '$cpu', memory '$memory'"
    local days='(0|[1-9][0-9]*) days?, ([0-9]|1[0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]'
    local start_re='^up since [0-3][0-9]-[A-Z][a-z][a-z]-[0-9][0-9] ([1-9]|1[0-2]):[0-5][0-9]:[0-5][0-9] (am|pm)$'
    [[ $uptime =~ ^"$COMPUTER_NAME has been up for "$days$ ]] || { STATUS_WRONG="uptime '$uptime'"; return 1; }
    [[ $start =~ $start_re ]] || { STATUS_WRONG="start time '$start'"; return 1; }
    local figure='^[1-9][0-9]{0,2}(,[0-9]{3})*\ K$'
    if [ "$2" = 32 ] && ((host_page_file_kb >= 4 * 1024 * 1024)); then
        # What Wine puts in the record then depends on the program's bitness
        # and the version: sizes with all bits set, or the true ones modulo
        # 4 GB as NT 4.0 gave them. Either the failure text or a figure.
        [[ $memory == "memory query failed" || $memory =~ $figure ]] ||
            { STATUS_WRONG="memory '$memory' from a 32-bit record of ${host_page_file_kb} K"; return 1; }
    else
        [[ $memory =~ $figure ]] || { STATUS_WRONG="memory '$memory'"; return 1; }
    fi
    if [ "$1" = 9x ]; then
        [ "$cpu" = "CPU query failed" ] || { STATUS_WRONG="CPU '$cpu' on the 9x family"; return 1; }
    else
        # One figure per processor once two samples were compared: "07 %" for
        # one processor, "07% 42%" for more.
        local n
        n=$(nproc)
        if ((n == 1)); then
            [[ $cpu =~ ^[0-9]{2,3}\ %$ ]] || { STATUS_WRONG="CPU '$cpu'"; return 1; }
        else
            [[ $cpu =~ ^[0-9]{2,3}%(\ [0-9]{2,3}%){$((n - 1))}$ ]] ||
                { STATUS_WRONG="CPU '$cpu' for $n processors"; return 1; }
        fi
    fi
}

run_on() {  # VERSION FAMILY MEMORY_RECORD
    local version=$1 family=$2 record=$3 started
    started=$(now_ms)
    e2e_log "---- $version ($family family)"
    reg_set "$version_key" Version REG_SZ "$version"
    xset s 600
    reg_set "$desktop_key" ScreenSaveActive REG_SZ 1

    e2e_start_orbiquell -POPUP
    poll_until 60 "the uptime tip on $version" has_uptime_tip ||
        e2e_fail "$version: no icon with the uptime tip: $(orbiquell_icons)"
    poll_until 60 "the main window on $version" main_window_visible ||
        e2e_fail "$version: no main window after -POPUP"
    STATUS_WRONG= STATUS_FIELDS=
    poll_until 20 "the Status fields on $version" status_filled "$family" "$record" ||
        e2e_fail "$version: $STATUS_WRONG ($STATUS_FIELDS)"
    e2e_observed "$version: $STATUS_FIELDS"
    e2e_screenshot "$version-status"

    xdotool mousemove 1022 766
    poll_until 10 "the screen saver off in the bottom-right corner on $version" x_saver_off ||
        e2e_fail "$version: the X screen saver stays on in the bottom-right corner"
    if [ "$family" = nt ]; then
        poll_until 10 "ScreenSaveActive 0 on $version" profile_is 0 ||
            e2e_fail "$version: the profile says $(profile_flag) with the screen saver off"
    else
        holds_for 1 "the profile untouched on $version" profile_is 1 ||
            e2e_fail "$version: the 9x form changed the profile to $(profile_flag)"
    fi
    e2e_observed "$version: in the corner X timeout $(x_screensaver_timeout), profile $(profile_flag)"
    xdotool mousemove 200 200
    poll_until 10 "the screen saver on again on $version" x_saver_on ||
        e2e_fail "$version: the X screen saver stays off after leaving the corner"
    poll_until 10 "ScreenSaveActive 1 on $version" profile_is 1 ||
        e2e_fail "$version: the profile says $(profile_flag) after leaving the corner"

    open_tray_menu "$version-menu"
    choose_menu_item $MENU_EXIT
    poll_until 30 "Orbiquell to end on $version" process_ended "$ORBIQUELL_PID" ||
        e2e_fail "$version: Orbiquell still runs 30 s after Exit"
    poll_until 10 "the icon to go on $version" have_no_orbiquell_icon ||
        e2e_fail "$version: the icon stays after Exit: $(orbiquell_icons)"
    e2e_observed "$version: PASS in $(($(now_ms) - started)) ms"
}

run_on win98 9x 32
run_on nt40 nt 32
run_on win2k nt 64
run_on winxp nt 64
run_on win7 nt 64
run_on win10 nt 64
e2e_log PASS
