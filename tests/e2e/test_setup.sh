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

# ---- Uninstalling while it runs ----------------------------------------------------

# A setting kept for the user, where the machine's key refused it, goes too.
reg_set 'HKCU\Software\Orbiquell\Settings' HotCorners REG_DWORD 1

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
