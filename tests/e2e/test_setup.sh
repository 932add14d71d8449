#!/usr/bin/env bash
# The setup's whole cycle under Wine: installed silently, it puts the exe, its
# text and licence, an uninstaller and a Start-menu shortcut in place and an
# entry in Add/Remove Programs; the installed program shows its icon, and its
# window turns on the hot corners and the start at login. Uninstalled silently
# while the program runs, it ends the program as Exit does and leaves nothing:
# no file, shortcut, Run value, settings key or process, and the screen saver
# active.
#
# usage: test_setup.sh EXE PROBE CPACK CPACK_CONFIG SETUP_FILE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/window_lib.sh"
e2e_begin "$1" "$2"
cpack=${3:?cpack} cpack_config=${4:?CPackConfig.cmake} setup=${5:?setup file}

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbiquell'
settings='HKLM\Software\Orbiquell\Settings'
run_user='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
run_all='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
desktop_key='HKCU\Control Panel\Desktop'
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orbiquell.lnk"
e2e_keep_screen_saver

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
wine_start "$setup" /S >>"$E2E_ARTIFACTS/wine.log" 2>&1 || e2e_fail "the setup failed"
location=$(reg_get "$uninstall_key" InstallLocation) || e2e_fail "no entry in Add/Remove Programs"
location=${location#REG_SZ }
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
xset s 0
reg_set "$desktop_key" ScreenSaveActive REG_SZ 0
e2e_start_orbiquell
poll_until 60 "the installed program's icon" have_orbiquell_icon || e2e_fail "no icon"
double_click_icon
poll_until 20 "the main window" main_window_visible || e2e_fail "no main window"
select_tab Settings
for box in '&Enable Hot Corners' 'Not while a program &fills the screen' \
    'Auto Load Orbiquell for &Current User'; do
    click_control "$box"
    poll_until 10 "'$box' to be checked" control_has "$box" checked 1 || e2e_fail "'$box' not checked"
done
click_control '&Apply'
poll_until 10 "the Run value" reg_get "$run_user" Orbiquell >/dev/null || e2e_fail "no Run value"
guard_stored() { [ "$(reg_get "$settings" FullScreenGuard)" = "REG_DWORD 0x1" ]; }
poll_until 10 "FullScreenGuard 1" guard_stored || e2e_fail "Apply did not store FullScreenGuard"
e2e_observed "Apply: $run_user Orbiquell = $(reg_get "$run_user" Orbiquell)," \
    "$settings HotCorners = $(reg_get "$settings" HotCorners)," \
    "FullScreenGuard = $(reg_get "$settings" FullScreenGuard)"
click_control Cancel
poll_until 10 "the main window to go" main_window_gone || e2e_fail "the window stayed"

# ---- Upgrading while it runs ------------------------------------------------------

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
e2e_observed "upgraded while running in $(($(now_ms) - upgrade_ms)) ms: exe replaced, one Orbiquell" \
    "running again (pid $ORBIQUELL_PID), settings kept: $(tr '\n' ';' <<<"$after")"

# ---- A file the setup cannot replace ------------------------------------------------

wine_spawn "$E2E_PROBE" hold-file "$(windows_path "$folder/README.txt")" >"$E2E_ARTIFACTS/hold.log" 2>&1
holder=$WINE_PID
file_held() { grep -q '^held' "$E2E_ARTIFACTS/hold.log"; }
poll_until 30 "README.txt to be held open" file_held || e2e_fail "cannot hold README.txt: $(cat "$E2E_ARTIFACTS/hold.log")"
status=0
wine_start "$setup" /S >>"$E2E_ARTIFACTS/wine.log" 2>&1 || status=$?
kill "$holder" 2>/dev/null || true
wait "$holder" 2>/dev/null || true
((status != 0)) || e2e_fail "the setup reported success with README.txt held open"
e2e_observed "setup with README.txt held open: exit status $status"
# It ended the running Orbiquell before it failed; the uninstaller gets one
# to end.
expect_process_end "the failed setup" "$(now_ms)"
e2e_start_orbiquell
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon"

# ---- Uninstalling while it runs ----------------------------------------------------

uninstall_ms=$(now_ms)
wine_start "$folder/Uninstall.exe" /S >>"$E2E_ARTIFACTS/wine.log" 2>&1 || e2e_fail "the uninstaller failed"
# The uninstaller goes on from a copy of itself in the temporary folder.
poll_until 60 "the installation folder to go" bash -c '[ ! -e "$1" ]' _ "$folder" ||
    e2e_fail "left in $folder: $(ls "$folder")"
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
e2e_log PASS
