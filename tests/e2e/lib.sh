# Shared helpers of the end-to-end tests, sourced by every tests/e2e/test_*.sh
# and by tools/run-orbiquell.
#
# A test runs the real Orbiquell.exe under Wine inside Wine's virtual desktop
# named "shell", whose taskbar has a notification area, on an Xvfb server of its
# own. It watches the program only from outside: through X (pointer,
# screenshots, the screen-saver setting), through `wine reg`, and through
# orbiquell-probe, a Windows console program that runs in the same desktop and
# reads the windows X cannot see into (tray icons, tooltips, message boxes).
#
# Every wait polls its condition with a generous deadline; nothing relies on a
# fixed sleep being long enough.

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ORBIQUELL_ROOT=${ORBIQUELL_ROOT:-$(cd "$E2E_LIB_DIR/../.." && pwd)}
# shellcheck source=../../tools/wine-env.sh
. "$ORBIQUELL_ROOT/tools/wine-env.sh"

E2E_NAME=${E2E_NAME:-$(basename "${0%.sh}")}
E2E_ARTIFACTS=${ORBIQUELL_E2E_ARTIFACTS:-${TMPDIR:-/tmp}/orbiquell-e2e/$E2E_NAME}
E2E_DESKTOP=shell
E2E_SCREEN=1024x768
E2E_T0_MS=$(($(date +%s%N) / 1000000))

XVFB_PID=
E2E_CLEANUP_HOOKS=()
E2E_CLEANED_UP=

now_ms() { echo $(($(date +%s%N) / 1000000)); }

e2e_log() {
    local ms=$(($(now_ms) - E2E_T0_MS))
    printf '[%s +%d.%03ds] %s\n' "$E2E_NAME" $((ms / 1000)) $((ms % 1000)) "$*" >&2
}

e2e_fail() {
    e2e_log "FAIL: $*"
    exit 1
}

# A measured fact worth keeping: printed, and collected in the artifacts.
e2e_observed() {
    printf 'OBSERVED %s: %s\n' "$E2E_NAME" "$*"
    printf '%s\n' "$*" >>"$E2E_ARTIFACTS/observed.txt"
}

# poll_until SECONDS DESCRIPTION COMMAND...: runs COMMAND until it succeeds;
# fails (status 1, with a message) once SECONDS have passed without success.
# Once Wine's desktop is up, a program that lands outside it ends the test at
# once rather than at the deadline (e2e_expect_all_inside).
poll_until() {
    local timeout=$1 what=$2
    shift 2
    local deadline=$(($(now_ms) + timeout * 1000))
    while :; do
        if "$@"; then
            return 0
        fi
        e2e_expect_all_inside
        if (($(now_ms) >= deadline)); then
            e2e_log "timed out after ${timeout}s waiting for: $what"
            return 1
        fi
        sleep 0.2
    done
}

# holds_for SECONDS DESCRIPTION COMMAND...: the opposite of poll_until, for what
# must not happen: runs COMMAND again and again for SECONDS and fails (status 1,
# with a message) the first time it does not succeed.
holds_for() {
    local duration=$1 what=$2
    shift 2
    local start
    start=$(now_ms)
    while :; do
        if ! "$@"; then
            e2e_log "after $(($(now_ms) - start)) ms no longer true: $what"
            return 1
        fi
        (($(now_ms) - start < duration * 1000)) || return 0
        sleep 0.2
    done
}

# field LINE KEY: the value of KEY in one tab-separated key=value record.
field() {
    awk -F'\t' -v key="$2" '{
        for (i = 1; i <= NF; i++)
            if (index($i, key "=") == 1) { print substr($i, length(key) + 2); exit }
    }' <<<"$1"
}

e2e_require_tools() {
    local tool missing=()
    for tool in Xvfb xdotool xset xwininfo import convert compare awk "$WINE64" "$WINESERVER"; do
        command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
    done
    ((${#missing[@]} == 0)) || e2e_fail "missing tools: ${missing[*]} (run tools/install-deps)"
}

# ---- Wine ------------------------------------------------------------------

wine_quiet() { wine_start "$@" 2>>"$E2E_ARTIFACTS/wine.log"; }

# The registry as the program under test sees it. A 32-bit program in Wine's
# 64-bit prefix has HKLM\Software (the settings, the all-users Run value, the
# classes) redirected to Wow6432Node, so its keys are read and written in the
# 32-bit view (e2e_begin sets E2E_REG_VIEW).
wine_reg() {
    local command=$1
    shift
    wine_quiet reg "$command" "$@" ${E2E_REG_VIEW:+"$E2E_REG_VIEW"}
}

# The Windows name of a Linux path: Wine's drive Z: is the Linux root.
windows_path() { printf 'Z:%s\n' "${1//\//\\}"; }

# The probe's records, without the CR that Wine's C runtime adds to each line.
probe() {
    local status=0 out
    out=$(wine_start "$E2E_PROBE" "$@" 2>>"$E2E_ARTIFACTS/probe.log") || status=$?
    printf '%s' "${out//$'\r'/}${out:+$'\n'}"
    return "$status"
}

# reg_get KEY NAME: prints "TYPE DATA" of a registry value; status 1 if absent.
reg_get() {
    local out
    out=$(wine_reg query "$1" /v "$2") || return 1
    out=${out//$'\r'/}
    local line
    line=$(grep -E "^    $2    REG_[A-Z_]+    " <<<"$out" | head -n1) || return 1
    line=${line#"    $2    "}
    printf '%s %s\n' "${line%%    *}" "${line#*    }"
}

reg_set() {  # KEY NAME TYPE DATA
    wine_reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null
}

reg_delete_value() {  # KEY NAME
    wine_reg delete "$1" /v "$2" /f >/dev/null 2>&1 || true
}

reg_key_exists() {  # KEY
    wine_reg query "$1" >/dev/null 2>&1
}

# reg_restore KEY NAME SAVED: puts back what reg_get returned earlier ("" when
# the value did not exist).
reg_restore() {
    if [ -z "$3" ]; then
        reg_delete_value "$1" "$2"
    else
        reg_set "$1" "$2" "${3%% *}" "${3#* }"
    fi
}

# Wine names the computer after the host; this is what GetComputerNameA returns.
e2e_computer_name() {
    local value
    value=$(reg_get 'HKLM\System\CurrentControlSet\Control\ComputerName\ComputerName' \
        ComputerName) || return 1
    printf '%s\n' "${value#REG_SZ }"
}

e2e_stop_wine() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
}

# e2e_keep_value KEY NAME: the registry value is put back as it is now when
# the test ends.
e2e_keep_value() {
    local saved
    saved=$(reg_get "$1" "$2") || saved=
    e2e_on_cleanup reg_restore "$1" "$2" "$saved"
}

# e2e_keep_screen_saver: the screen-saver flag, in the X server and in the
# user's profile, is put back as it is now when the test ends.
e2e_keep_screen_saver() {
    e2e_keep_value 'HKCU\Control Panel\Desktop' ScreenSaveActive
    e2e_on_cleanup xset s "$(x_screensaver_timeout)"
}

# expect_process_end WHAT SINCE_MS: Orbiquell ends within 30 s of WHAT, which
# happened at SINCE_MS; the time it took and its exit status are observed, the
# status left in EXIT_STATUS.
expect_process_end() {
    poll_until 30 "Orbiquell to end after $1" process_ended "$ORBIQUELL_PID" ||
        e2e_fail "Orbiquell still runs 30 s after $1"
    EXIT_STATUS=0
    wait "$ORBIQUELL_PID" || EXIT_STATUS=$?
    e2e_observed "process ended $(($(now_ms) - $2)) ms after $1, exit status $EXIT_STATUS"
}

# expect_screen_saver_restored: the screen saver is active again, in the X
# server and in the user's profile, as the program leaves it when it ends.
expect_screen_saver_restored() {
    local timeout active
    timeout=$(x_screensaver_timeout)
    active=$(reg_get 'HKCU\Control Panel\Desktop' ScreenSaveActive) || active=absent
    e2e_observed "after: X screen-saver timeout $timeout, ScreenSaveActive $active"
    ((timeout > 0)) || e2e_fail "the X screen saver is still off"
    [ "$active" = "REG_SZ 1" ] || e2e_fail "ScreenSaveActive is '$active', expected REG_SZ 1"
}

# ---- X ---------------------------------------------------------------------

# An Xvfb of our own on a display number it picks itself, so that tests and
# other users of the machine never collide. -noreset keeps settings such as the
# screen-saver timeout when the last client disconnects. With E2E_DETACH set,
# the server and Wine's desktop outlive the script that started them.
e2e_start_xvfb() {
    local number_file="$E2E_ARTIFACTS/xvfb.display"
    : >"$number_file"
    ${E2E_DETACH:+setsid} Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN}x24" -nolisten tcp -noreset \
        3>"$number_file" >"$E2E_ARTIFACTS/xvfb.log" 2>&1 &
    XVFB_PID=$!
    poll_until 30 "Xvfb to report its display" test -s "$number_file" ||
        e2e_fail "Xvfb did not start (see $E2E_ARTIFACTS/xvfb.log)"
    DISPLAY=":$(tr -dc '0-9' <"$number_file")"
    export DISPLAY
    poll_until 30 "X display $DISPLAY to answer" xset q >/dev/null 2>&1 ||
        e2e_fail "X display $DISPLAY does not answer"
    e2e_log "Xvfb pid $XVFB_PID on display $DISPLAY"
}

# The X server's screen-saver timeout: 0 means the screen saver is off, which is
# how Wine reports and sets the Windows screen-saver-active flag.
x_screensaver_timeout() {
    xset q | awk '/timeout:/ { print $2; exit }'
}

e2e_screenshot() {  # NAME: the whole screen, saved as NAME.png in the artifacts
    import -window root "$E2E_ARTIFACTS/$1.png"
}

# crop SOURCE LEFT,TOP,RIGHT,BOTTOM DEST
crop() {
    local l t r b
    IFS=, read -r l t r b <<<"$2"
    convert "$1" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$3"
}

colour_count() { convert "$1" -format '%k' info:; }

differing_pixels() {  # A B: how many pixels differ between two images of one size
    local out status=0
    out=$(compare -metric AE "$1" "$2" null: 2>&1) || status=$?
    ((status <= 1)) || e2e_fail "compare failed: $out"
    printf '%s\n' "${out%% *}"
}

# ---- The virtual desktop ---------------------------------------------------

# Every program of the prefix, Wine's own tools among them, joins the one
# virtual desktop, whichever loader started it; a program started outside it
# would show its icon in a stand-alone tray window of its own instead.
e2e_configure_desktop() {
    local file="$E2E_ARTIFACTS/desktop.reg"
    {
        printf 'REGEDIT4\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="%s"\r\n\r\n' "$E2E_DESKTOP"
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"%s"="%s"\r\n\r\n' \
            "$E2E_DESKTOP" "$E2E_SCREEN"
    } >"$file"
    wine_quiet reg import "$(windows_path "$file")" >/dev/null || e2e_fail "cannot import $file"
}

tray_is_up() { probe windows Shell_TrayWnd | grep -q $'\tvisible=1\t'; }

# Set once the desktop is up: from then on every wait checks that no program
# shows a window outside it.
E2E_DESKTOP_UP=
desktop_window() { xdotool search --name "^$E2E_DESKTOP - Wine desktop\$" 2>/dev/null | head -n1; }
desktop_is_up() { [ -n "$(desktop_window)" ]; }

e2e_start_desktop() {
    E2E_DESKTOP_UP=
    wine_spawn ${E2E_DETACH:+--detach} explorer "/desktop=$E2E_DESKTOP,$E2E_SCREEN" >>"$E2E_ARTIFACTS/wine.log" 2>&1
    poll_until 90 "Wine's virtual desktop window" desktop_is_up ||
        e2e_fail "Wine's desktop did not appear"
    E2E_DESKTOP_UP=1
    poll_until 60 "the taskbar with its notification area" tray_is_up ||
        e2e_fail "no taskbar in Wine's desktop"
}

# of_this_session PID: true when PID is a process of this prefix's Wine.
of_this_session() {
    tr '\0' '\n' <"/proc/$1/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"
}

# The windows that this session's programs show outside Wine's desktop, as
# "ID 'NAME'" a line each. A program that did not join the desktop shows its
# windows, and its tray icon in a "Wine System Tray" window of its own, beside
# it.
windows_outside_desktop() {
    local desktop inside window
    desktop=$(desktop_window)
    # A search that races a window going away finds nothing; without the
    # desktop every window, the desktop's own among them, would look outside.
    # The next poll asks again.
    [ -n "$desktop" ] || return 0
    inside=$(xwininfo -tree -id "$desktop" 2>/dev/null | awk '$1 ~ /^0x/ { print $1 }')
    # Wine names each X window's class after the program's file.
    for window in $(xdotool search --onlyvisible --class '\.exe$' 2>/dev/null); do
        [ "$window" != "$desktop" ] || continue
        ! grep -qx "$(printf '0x%x' "$window")" <<<"$inside" || continue
        of_this_session "$(xdotool getwindowpid "$window" 2>/dev/null)" || continue
        printf "0x%x '%s'\n" "$window" "$(xdotool getwindowname "$window" 2>/dev/null)"
    done
}

# e2e_expect_all_inside: once the desktop is up, fails at once, naming the
# window, when a program shows one outside it.
e2e_expect_all_inside() {
    [ -n "$E2E_DESKTOP_UP" ] || return 0
    local outside
    outside=$(windows_outside_desktop | head -n1)
    [ -n "$outside" ] || return 0
    e2e_fail "window $outside appeared outside Wine's desktop '$E2E_DESKTOP':" \
        "a program started under Wine did not join it"
}

# ---- Orbiquell -------------------------------------------------------------

# Starts one Orbiquell process in the background; its pid is left in
# ORBIQUELL_PID (the Linux process that is the Windows process).
e2e_start_orbiquell() {
    wine_spawn "$E2E_EXE" "$@" >>"$E2E_ARTIFACTS/orbiquell.log" 2>&1
    ORBIQUELL_PID=$WINE_PID
    e2e_log "started $(basename "$E2E_EXE") as pid $ORBIQUELL_PID"
}

process_running() {  # PID: alive and not a zombie
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    [[ $state != Z* ]]
}

process_ended() { ! process_running "$1"; }

# The displayed tray icons whose tip begins with the computer name: Orbiquell's
# first tip is "<name> Orbiquell", every later one "<name> up for ...". Prints
# nothing (and succeeds) when there is none.
orbiquell_icons() {
    { probe tray || true; } | awk -F'\t' -v prefix="tip=$COMPUTER_NAME " '
        $1 == "icon" && $2 == "displayed=1" && index($NF, prefix) == 1'
}

have_orbiquell_icon() { [ -n "$(orbiquell_icons)" ]; }
have_no_orbiquell_icon() { [ -z "$(orbiquell_icons)" ]; }

# parse_uptime_tip TEXT: the uptime in seconds shown by a tip
# "<name> up for <d> day(s), h:mm:ss"; fails with a reason when the text does
# not have exactly that form.
parse_uptime_tip() {
    local text=$1 prefix="$COMPUTER_NAME up for "
    [[ $text == "$prefix"* ]] || { echo "does not begin with '$prefix'"; return 1; }
    local rest=${text#"$prefix"}
    local re='^(0|[1-9][0-9]*) (day|days), (0|[1-9][0-9]*):([0-5][0-9]):([0-5][0-9])$'
    [[ $rest =~ $re ]] || { echo "'$rest' is not '<d> days, h:mm:ss'"; return 1; }
    local days=${BASH_REMATCH[1]} word=${BASH_REMATCH[2]} hours=${BASH_REMATCH[3]}
    local minutes=${BASH_REMATCH[4]} seconds=${BASH_REMATCH[5]}
    if ((days == 1)) && [ "$word" != day ]; then echo "one day must read '1 day'"; return 1; fi
    if ((days != 1)) && [ "$word" != days ]; then echo "$days days must read 'days'"; return 1; fi
    ((hours < 24)) || { echo "hours $hours not below 24"; return 1; }
    echo $((days * 86400 + hours * 3600 + 10#$minutes * 60 + 10#$seconds))
}

host_uptime() { awk '{ print $1 }' /proc/uptime; }

# ---- Set-up and clean-up ---------------------------------------------------

# e2e_on_cleanup COMMAND...: run at exit, latest first, before Wine is stopped.
e2e_on_cleanup() {
    local quoted
    printf -v quoted '%q ' "$@"
    E2E_CLEANUP_HOOKS+=("$quoted")
}

e2e_cleanup() {
    local status=$?
    [ -n "$E2E_CLEANED_UP" ] && return
    E2E_CLEANED_UP=1
    set +e
    local i
    for ((i = ${#E2E_CLEANUP_HOOKS[@]} - 1; i >= 0; i--)); do
        eval "${E2E_CLEANUP_HOOKS[i]}" || e2e_log "clean-up step failed: ${E2E_CLEANUP_HOOKS[i]}"
    done
    if ((status != 0)) && [ -n "$XVFB_PID" ] && process_running "$XVFB_PID"; then
        import -window root "$E2E_ARTIFACTS/at-failure.png" 2>/dev/null &&
            e2e_log "screen at failure: $E2E_ARTIFACTS/at-failure.png"
    fi
    e2e_stop_wine
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null
    fi
    wait 2>/dev/null
    local left
    left=$(jobs -rp)
    [ -z "$left" ] || e2e_log "processes left running: $left"
    e2e_log "finished with status $status (artifacts in $E2E_ARTIFACTS)"
}

# e2e_skip_unless_this_build EXE: ends the test as skipped (status 77, which
# ctest reports as such), saying why, when it is not this host's turn for EXE:
# the tests run the exe of the build that e2e_build names, and any exe the host
# runs when E2E_EVERY_BUILD is 1.
e2e_skip_unless_this_build() {
    local build
    build=$(pe_build "$1") || e2e_fail "not a Windows program of x86 or x86-64: $1"
    e2e_build
    if ! wine_runs "$1"; then
        printf '%s: skipped, the %s build: %s\n' "$E2E_NAME" "$build" "$E2E_BUILD_WHY"
        exit 77
    fi
    if [ "$build" != "$E2E_BUILD" ] && [ "${E2E_EVERY_BUILD:-}" != 1 ]; then
        printf '%s: skipped, the %s build: the %s build runs the end-to-end tests, as %s\n' \
            "$E2E_NAME" "$build" "$E2E_BUILD" "$E2E_BUILD_WHY"
        exit 77
    fi
}

# e2e_open_desktop: a fresh X server, a fresh Wine session and Wine's desktop
# with its taskbar, with the computer name in COMPUTER_NAME.
e2e_open_desktop() {
    wine_prefix_ready
    # A session left over by an interrupted run would own the desktop and the
    # single-instance lock.
    e2e_stop_wine
    e2e_start_xvfb
    e2e_configure_desktop
    # A per-user setting left by an interrupted run would win over what each
    # test sets for the machine.
    wine_reg delete 'HKCU\Software\Orbiquell' /f >/dev/null 2>&1 || true
    e2e_start_desktop
    COMPUTER_NAME=$(e2e_computer_name) || e2e_fail "cannot read the computer name"
    [ -n "$COMPUTER_NAME" ] || e2e_fail "empty computer name"
    # Until the pointer moves, Wine reports it at the screen's centre; park it
    # well away from the taskbar and the screen's corners.
    xdotool mousemove 200 200
    e2e_log "desktop ready; computer name $COMPUTER_NAME"
}

# e2e_begin ORBIQUELL_EXE PROBE_EXE: the test's artifacts folder, its clean-up
# at exit, and an open desktop; skipped when it is not this build's turn.
e2e_begin() {
    E2E_EXE=$(realpath "${1:?path of Orbiquell.exe}")
    E2E_PROBE=$(realpath "${2:?path of orbiquell-probe.exe}")
    [ -f "$E2E_EXE" ] || e2e_fail "no such file: $E2E_EXE"
    e2e_skip_unless_this_build "$E2E_EXE"
    [ -f "$E2E_PROBE" ] || e2e_fail "no such file: $E2E_PROBE"
    E2E_REG_VIEW=
    [ "$(pe_machine "$E2E_EXE")" != 014c ] || E2E_REG_VIEW=/reg:32
    rm -rf "$E2E_ARTIFACTS"
    mkdir -p "$E2E_ARTIFACTS"
    e2e_require_tools
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
    trap 'e2e_log "FAIL: status $? at line $LINENO of $(basename "${BASH_SOURCE[0]}"): $BASH_COMMAND"' ERR
    e2e_log "running $(basename "$E2E_EXE") of the $(pe_build "$E2E_EXE") build"
    e2e_open_desktop
}

# ---- The tray image ----------------------------------------------------------

# The exact 16 x 16 pixels of each tray image (docs/icons/16/<image>.png), as
# Windows draws them at 100 %.
E2E_ICON_DIR=$ORBIQUELL_ROOT/docs/icons/16

# pixel_rows IMAGE: one "x y RRGGBB" line per pixel, alpha dropped.
pixel_rows() {
    convert "$1" -alpha off -depth 8 txt:- |
        awk 'NR > 1 { split($1, at, /[,:]/)
                      for (i = 2; i <= NF; i++) if ($i ~ /^#/) { print at[1], at[2], substr($i, 2, 6); break } }'
}

# The reference pixels of all thirteen images as "name x y RRGGBB" lines,
# converted once per test.
tray_reference_pixels() {
    local file="$E2E_ARTIFACTS/tray-images.txt" png
    if [ ! -s "$file" ]; then
        for png in "$E2E_ICON_DIR"/*.png; do
            pixel_rows "$png" | sed "s/^/$(basename "${png%.png}") /"
        done >"$file.tmp"
        mv "$file.tmp" "$file"
    fi
    printf '%s\n' "$file"
}

# tray_image_at SCREENSHOT RECT: which tray image the screenshot shows inside
# RECT (the icon's cell, as the probe lists it). The taskbar centres the 16 x 16
# image in the cell, but every placement inside it is tried, so the answer does
# not hang on that. Prints "NAME DX DY 0" for a reference that matches pixel
# for pixel at offset DX,DY of the cell; otherwise fails and prints the closest
# as "NAME DX DY DIFFERING" (DIFFERING pixels of 256).
tray_image_at() {
    local cell="$E2E_ARTIFACTS/.cell.png"
    crop "$1" "$2" "$cell"
    { cat "$(tray_reference_pixels)"; echo; pixel_rows "$cell" | sed 's/^/screen /'; } | awk '
        NF == 0 { next }
        $1 == "screen" { shown[$2, $3] = $4; if ($2 + 1 > w) w = $2 + 1; if ($3 + 1 > h) h = $3 + 1; next }
        { if (!($1 in known)) { known[$1] = 1; names[++n] = $1 } ref[$1, $2, $3] = $4 }
        END {
            best = ""; bestDiff = 257
            for (dy = 0; dy + 16 <= h; dy++)
                for (dx = 0; dx + 16 <= w; dx++)
                    for (k = 1; k <= n; k++) {
                        diff = 0
                        for (y = 0; y < 16 && diff < bestDiff; y++)
                            for (x = 0; x < 16; x++)
                                if (shown[dx + x, dy + y] != ref[names[k], x, y]) diff++
                        if (diff < bestDiff) { bestDiff = diff; best = names[k] " " dx " " dy }
                    }
            if (best == "") { print "none 0 0 256"; exit 1 }
            print best, bestDiff
            exit bestDiff != 0
        }'
}

# icon_pixel SCREENSHOT RECT DX DY X Y: the colour RRGGBB of pixel X,Y of a
# 16 x 16 image drawn at offset DX,DY of the cell RECT.
icon_pixel() {
    local l t r b
    IFS=, read -r l t r b <<<"$2"
    convert "$1" -alpha off -depth 8 -format "%[hex:p{$((l + $3 + $5)),$((t + $4 + $6))}]" info: |
        cut -c1-6
}

# shown_tray_image SHOT_NAME RECT: takes a screenshot SHOT_NAME.png, keeps the
# icon's cell from it as SHOT_NAME-icon.png, and sets SHOWN_IMAGE (the image's
# name, or "unknown"), SHOWN_MATCH (the whole answer of tray_image_at) and
# SHOWN_SHOT (the screenshot's path). Fails when no image matches exactly.
shown_tray_image() {
    SHOWN_SHOT="$E2E_ARTIFACTS/$1.png"
    e2e_screenshot "$1"
    local status=0
    SHOWN_MATCH=$(tray_image_at "$SHOWN_SHOT" "$2") || status=$?
    cp "$E2E_ARTIFACTS/.cell.png" "$E2E_ARTIFACTS/$1-icon.png"
    if ((status == 0)); then SHOWN_IMAGE=${SHOWN_MATCH%% *}; else SHOWN_IMAGE=unknown; fi
    return "$status"
}
