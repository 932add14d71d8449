#!/usr/bin/env bash
# The setup's whole cycle under Wine: installed silently for all users into a
# folder of the user's choice, it puts the exe, its text and licence, an
# uninstaller and a Start-menu shortcut in place and an entry in Add/Remove
# Programs; the installed program shows its icon, and its window turns on the
# hot corners and both starts at login. Upgraded silently, it stays in that
# folder. A setup that cannot finish its work fails with the exit code that
# says why, and soon, even with a hung Orbiquell. Uninstalled silently while
# the program runs, it ends the program as Exit does and leaves nothing: no
# file, shortcut, Run value, settings key or process, and the screen saver
# active. Installed just for the user, then upgraded and uninstalled, it keeps
# to the user's folder and keys and leaves the machine's alone.
#
# usage: test_setup.sh EXE PROBE CPACK CPACK_CONFIG SETUP_FILE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/window_lib.sh"
e2e_begin "$1" "$2"
cpack=${3:?cpack} cpack_config=${4:?CPackConfig.cmake} setup=${5:?setup file}

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbiquell'
user_uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbiquell'
settings='HKLM\Software\Orbiquell\Settings'
run_user='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
run_all='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
desktop_key='HKCU\Control Panel\Desktop'
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orbiquell.lnk"
e2e_keep_screen_saver
# Not the default folder, which an upgrade that forgets it would use.
custom='C:\Tools\Orbiquell'
default_folder="$WINEPREFIX/drive_c/Program Files/Orbiquell"
# An interrupted run's install would be upgraded where it is.
rm -rf "$default_folder"
for key in "$uninstall_key" "$user_uninstall_key"; do
    wine_reg delete "$key" /f >/dev/null 2>&1 || true
done

"$cpack" --config "$cpack_config" -G NSIS >"$E2E_ARTIFACTS/cpack.log" 2>&1 ||
    e2e_fail "cpack failed (see $E2E_ARTIFACTS/cpack.log)"
[ -f "$setup" ] || e2e_fail "cpack made no $setup"
e2e_observed "setup: $(basename "$setup"), $(stat -c %s "$setup") bytes"

# A picture of the setup's first page for the README, when asked for.
if [ "${ORBIQUELL_UPDATE_SCREENSHOTS:-}" = 1 ]; then
    wine_spawn "$setup" >>"$E2E_ARTIFACTS/wine.log" 2>&1
    setup_pid=$WINE_PID
    setup_window() { probe windows '#32770' | grep $'\tvisible=1\t' | grep -q 'Orbiquell'; }
    poll_until 60 "the setup's window" setup_window || e2e_fail "the setup shows no window"
    page=$(probe windows '#32770' | grep $'\tvisible=1\t' | head -n1)
    settled_screenshot setup-page "$(field "$page" rect)"
    keep_screenshot "$E2E_ARTIFACTS/setup-page.png" "$(field "$page" rect)" setup.png
    kill "$setup_pid" 2>/dev/null || true
    wait "$setup_pid" 2>/dev/null || true
fi

# ---- Installing ----------------------------------------------------------------

start_ms=$(now_ms)
wine_start "$setup" /S "/D=$custom" >>"$E2E_ARTIFACTS/wine.log" 2>&1 || e2e_fail "the setup failed"
location=$(reg_get "$uninstall_key" InstallLocation) || e2e_fail "no entry in Add/Remove Programs"
location=${location#REG_SZ }
[ "$location" = "$custom" ] || e2e_fail "installed to $location, not to $custom"
folder=$(wine_quiet winepath -u "$location" | tr -d '\r')
e2e_observed "installed in $(($(now_ms) - start_ms)) ms to $location"
for file in Orbiquell.exe README.txt LICENSE.txt Uninstall.exe; do
    [ -f "$folder/$file" ] || e2e_fail "no $file in $folder"
done
cmp -s "$folder/Orbiquell.exe" "$E2E_EXE" || e2e_fail "the installed exe is not the one built"
[ -f "$shortcut" ] || e2e_fail "no Start-menu shortcut"
for name in DisplayName DisplayVersion Publisher DisplayIcon EstimatedSize UninstallString; do
    value=$(reg_get "$uninstall_key" "$name") || e2e_fail "the entry has no $name"
    e2e_observed "Add/Remove Programs: $name = $value"
done
[ "$(reg_get "$uninstall_key" DisplayVersion)" = "REG_SZ 1.5.0" ] || e2e_fail "wrong DisplayVersion"

# ---- The installed program -------------------------------------------------------

E2E_EXE=$folder/Orbiquell.exe
# The boxes start unticked, whatever an earlier run left.
for name in HotCorners FullScreenGuard; do
    reg_set "$settings" "$name" REG_DWORD 0
    reg_delete_value 'HKCU\Software\Orbiquell\Settings' "$name"
done
reg_delete_value "$run_user" Orbiquell
reg_delete_value "$run_all" Orbiquell
xset s 0
reg_set "$desktop_key" ScreenSaveActive REG_SZ 0
e2e_start_orbiquell
poll_until 60 "the installed program's icon" have_orbiquell_icon || e2e_fail "no icon"
double_click_icon
poll_until 20 "the main window" main_window_visible || e2e_fail "no main window"
select_tab Settings
for box in '&Enable Hot Corners' 'Not while a program &fills the screen' \
    'Auto Load Orbiquell for A&ll Users'; do
    click_control "$box"
    poll_until 10 "'$box' to be checked" control_has "$box" checked 1 || e2e_fail "'$box' not checked"
done
click_control '&Apply'
poll_until 10 "the Run value" reg_get "$run_all" Orbiquell >/dev/null || e2e_fail "no Run value"
guard_stored() { [ "$(reg_get "$settings" FullScreenGuard)" = "REG_DWORD 0x1" ]; }
poll_until 10 "FullScreenGuard 1" guard_stored || e2e_fail "Apply did not store FullScreenGuard"
e2e_observed "Apply: $run_user Orbiquell = $(reg_get "$run_user" Orbiquell)," \
    "$run_all Orbiquell = $(reg_get "$run_all" Orbiquell)," \
    "$settings HotCorners = $(reg_get "$settings" HotCorners)," \
    "FullScreenGuard = $(reg_get "$settings" FullScreenGuard)"
click_control Cancel
poll_until 10 "the main window to go" main_window_gone || e2e_fail "the window stayed"

# ---- Upgrading while it runs, without naming the folder ----------------------------

# What an upgrade leaves as it is: the settings, one kept for the user too, and
# the Run values with their data.
reg_set 'HKCU\Software\Orbiquell\Settings' HotCorners REG_DWORD 1
kept_values() {
    local entry
    for entry in "$settings|HotCorners" "$settings|FullScreenGuard" \
        'HKCU\Software\Orbiquell\Settings|HotCorners' "$run_user|Orbiquell" "$run_all|Orbiquell"; do
        printf '%s = %s\n' "$entry" "$(reg_get "${entry%%|*}" "${entry#*|}" || echo absent)"
    done
}
# The Linux pid of the installed Orbiquell of this session that runs now: a
# Windows process shows its Windows path as its command line.
running_orbiquell_pid() {
    local pid
    for pid in $(pgrep -f '^[A-Za-z]:\\.*\\Orbiquell\.exe'); do
        if of_this_session "$pid" && process_running "$pid"; then echo "$pid"; return 0; fi
    done
    return 1
}
before=$(kept_values)
# A stamp on the running copy; the copy the setup writes keeps the build's time.
old_stamp=$(date -d '2001-01-01 00:00' +%s)
touch -d "@$old_stamp" "$folder/Orbiquell.exe"
upgrade_ms=$(now_ms)
wine_start "$setup" /S >>"$E2E_ARTIFACTS/wine.log" 2>&1 || e2e_fail "the upgrade failed (status $?)"
expect_process_end "the upgrade" "$upgrade_ms"
[ "$(stat -c %Y "$folder/Orbiquell.exe")" != "$old_stamp" ] || e2e_fail "the running exe was not replaced"
cmp -s "$folder/Orbiquell.exe" "$E2E_EXE" || e2e_fail "the upgraded exe is not the one built"
poll_until 30 "the new Orbiquell's icon" have_orbiquell_icon ||
    e2e_fail "the upgrade did not start Orbiquell again"
forms=$(probe windows Orbiquell.HiddenForm | wc -l)
((forms == 1)) || e2e_fail "$forms Orbiquell windows after the upgrade"
ORBIQUELL_PID=$(running_orbiquell_pid) || e2e_fail "no Orbiquell process after the upgrade"
after=$(kept_values)
[ "$after" = "$before" ] || e2e_fail "the upgrade changed what it should keep: $before -> $after"
[ "$(reg_get "$uninstall_key" InstallLocation)" = "REG_SZ $custom" ] ||
    e2e_fail "the upgrade moved the entry to $(reg_get "$uninstall_key" InstallLocation)"
[ ! -e "$default_folder" ] || e2e_fail "the upgrade made a second copy in $default_folder"
[[ $(reg_get "$run_all" Orbiquell) == *"$custom\Orbiquell.exe"* ]] ||
    e2e_fail "$run_all names $(reg_get "$run_all" Orbiquell), not the upgraded exe"
e2e_observed "upgraded while running in $(($(now_ms) - upgrade_ms)) ms: exe replaced, one Orbiquell" \
    "running again (pid $ORBIQUELL_PID), settings kept: $(tr '\n' ';' <<<"$after")"

# ---- What the setup cannot do -------------------------------------------------------

# setup_while_held FILE [CLASS]: runs the setup silently while the probe holds
# FILE open, as a hung program with a window of CLASS when given; leaves its
# exit status in status and how long it ran in took_ms.
setup_while_held() {
    local log
    log="$E2E_ARTIFACTS/hold-$(basename "$1")${2:+-hung}.log"
    wine_spawn "$E2E_PROBE" hold-file "$(windows_path "$1")" ${2:+"$2"} >"$log" 2>&1
    local holder=$WINE_PID start
    poll_until 30 "$(basename "$1") to be held open" grep -q '^held' "$log" ||
        e2e_fail "cannot hold $1: $(cat "$log")"
    start=$(now_ms)
    wine_spawn "$setup" /S >>"$E2E_ARTIFACTS/wine.log" 2>&1
    local setup_pid=$WINE_PID
    poll_until 60 "the setup to give up" process_ended "$setup_pid" ||
        e2e_fail "the setup still runs 60 s after it started, with $(basename "$1") held"
    status=0
    wait "$setup_pid" || status=$?
    took_ms=$(($(now_ms) - start))
    kill "$holder" 2>/dev/null || true
    wait "$holder" 2>/dev/null || true
    e2e_observed "setup with $(basename "$1") held${2:+ by a hung $2}: exit status $status after $took_ms ms"
}

setup_while_held "$folder/README.txt"
((status == 2)) || e2e_fail "the setup ended with $status, not 2, with README.txt held open"
# It ended the running Orbiquell before it failed; the uninstaller gets one
# to end.
expect_process_end "the failed setup" "$(now_ms)"
setup_while_held "$folder/Uninstall.exe"
((status == 2)) || e2e_fail "the setup ended with $status, not 2, unable to write its uninstaller"
setup_while_held "$folder/Orbiquell.exe"
((status == 5)) || e2e_fail "the setup ended with $status, not 5 (locked by another program)"
setup_while_held "$folder/Orbiquell.exe" Orbiquell.HiddenForm
((status == 3)) || e2e_fail "the setup ended with $status, not 3 (Orbiquell does not respond)"
((took_ms < 30000)) || e2e_fail "the setup waited $took_ms ms for a hung Orbiquell"
e2e_start_orbiquell
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon"

# ---- Uninstalling while it runs ----------------------------------------------------

uninstall_ms=$(now_ms)
wine_start "$folder/Uninstall.exe" /S >>"$E2E_ARTIFACTS/wine.log" 2>&1 || e2e_fail "the uninstaller failed"
# The uninstaller goes on from a copy of itself in the temporary folder; its
# last step removes the uninstall entry.
key_gone() { ! reg_key_exists "$1"; }
poll_until 60 "the uninstall entry to go" key_gone "$uninstall_key" || e2e_fail "$uninstall_key stays"
[ ! -e "$folder" ] || e2e_fail "left in $folder: $(ls "$folder")"
expect_process_end "the uninstaller" "$uninstall_ms"
[ -z "$(orbiquell_icons)" ] || e2e_fail "the icon stays: $(orbiquell_icons)"
[ ! -e "$shortcut" ] || e2e_fail "the shortcut stays"
for value in "$run_user" "$run_all"; do
    ! reg_get "$value" Orbiquell >/dev/null || e2e_fail "$value Orbiquell stays"
done
for key in 'HKLM\Software\Orbiquell' 'HKCU\Software\Orbiquell' "$uninstall_key"; do
    ! reg_key_exists "$key" || e2e_fail "$key stays"
done
expect_screen_saver_restored
e2e_observed "uninstalled in $(($(now_ms) - uninstall_ms)) ms: nothing left"

# ---- Just for me ---------------------------------------------------------------------

# What is the machine's stays as it is: a start at login for everyone and the
# machine's settings.
e2e_on_cleanup wine_reg delete 'HKLM\Software\Orbiquell' /f
e2e_on_cleanup reg_delete_value "$run_all" Orbiquell
reg_set "$run_all" Orbiquell REG_SZ 'C:\Elsewhere\Orbiquell.exe'
reg_set "$settings" HotCorners REG_DWORD 1
machine_state() {
    printf '%s;%s;%s\n' "$(reg_get "$run_all" Orbiquell)" "$(reg_get "$settings" HotCorners)" \
        "$(reg_key_exists "$uninstall_key" && echo 'an entry for all users')"
}
machine=$(machine_state)
user_location() { reg_get "$user_uninstall_key" InstallLocation | sed 's/^REG_SZ //'; }
IFS=';' read -r local_app_data app_data < <(wine_quiet cmd /c 'echo %LOCALAPPDATA%;%APPDATA%' | tr -d '\r')
user_shortcut="$(wine_quiet winepath -u "$app_data" | tr -d '\r')/Microsoft/Windows/Start Menu/Programs/Orbiquell.lnk"

start_ms=$(now_ms)
wine_start "$setup" /S /CurrentUser >>"$E2E_ARTIFACTS/wine.log" 2>&1 || e2e_fail "the setup for the user failed ($?)"
location=$(user_location) || e2e_fail "no entry in the user's Add/Remove Programs"
[ "$location" = "$local_app_data\Programs\Orbiquell" ] || e2e_fail "installed for the user to $location"
folder=$(wine_quiet winepath -u "$location" | tr -d '\r')
[ -f "$folder/Orbiquell.exe" ] && [ -f "$folder/Uninstall.exe" ] || e2e_fail "no exe or uninstaller in $folder"
[ -f "$user_shortcut" ] || e2e_fail "no shortcut in the user's Start menu"
e2e_observed "installed for the user in $(($(now_ms) - start_ms)) ms to $location"
# The program's own per-user values, which the uninstaller removes.
reg_set "$run_user" Orbiquell REG_SZ "\"$location\\Orbiquell.exe\""
reg_set 'HKCU\Software\Orbiquell\Settings' HotCorners REG_DWORD 1

wine_start "$setup" /S >>"$E2E_ARTIFACTS/wine.log" 2>&1 || e2e_fail "the user's upgrade failed ($?)"
[ "$(user_location)" = "$location" ] || e2e_fail "the user's upgrade went to $(user_location)"
status=0
wine_start "$setup" /S /AllUsers >>"$E2E_ARTIFACTS/wine.log" 2>&1 || status=$?
((status == 6)) || e2e_fail "a second install for all users ended with $status, not 6"
[ "$(machine_state)" = "$machine" ] || e2e_fail "the machine's values changed: $machine -> $(machine_state)"
e2e_observed "upgraded for the user in place; a second install for all users refused with $status"

# Without the location in the user's entry (as a setup that failed before
# writing it leaves), the uninstaller still keeps to the user's values.
reg_delete_value "$user_uninstall_key" InstallLocation
wine_start "$folder/Uninstall.exe" /S >>"$E2E_ARTIFACTS/wine.log" 2>&1 || e2e_fail "the user's uninstaller failed"
poll_until 60 "the user's uninstall entry to go" key_gone "$user_uninstall_key" ||
    e2e_fail "$user_uninstall_key stays"
[ ! -e "$folder" ] || e2e_fail "left in $folder: $(ls "$folder")"
[ ! -e "$user_shortcut" ] || e2e_fail "the user's shortcut stays"
! reg_get "$run_user" Orbiquell >/dev/null || e2e_fail "$run_user Orbiquell stays"
for key in 'HKCU\Software\Orbiquell' "$user_uninstall_key"; do
    ! reg_key_exists "$key" || e2e_fail "$key stays"
done
[ "$(machine_state)" = "$machine" ] || e2e_fail "the machine's values changed: $machine -> $(machine_state)"
e2e_observed "uninstalled for the user: nothing of the user's left, the machine's kept ($machine)"
e2e_log PASS
