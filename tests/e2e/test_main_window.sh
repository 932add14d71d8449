#!/usr/bin/env bash
# The main window, worked with the mouse as a user works it. A double click on
# the tray icon opens it; each tab shows its own controls. On the Settings tab,
# "Auto Load Orbiquell for Current User" and "Apply" write the Run value with
# the program's path, quoted since it has a space; "Enable Hot Corners" and
# "Cancel" write nothing and close the window. Minimising sends the window back
# to the tray, from where the menu's "Restore Orbiquell..." brings it back. The
# About tab's links start the browser and the mail program the prefix names,
# with the website's address and a mail to the author about this version.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/window_lib.sh"
e2e_begin "$@"

# Installed as under "Program Files": the space makes the Run value quoted.
install_dir="$E2E_ARTIFACTS/Program Files/Orbiquell"
mkdir -p "$install_dir"
cp "$E2E_EXE" "$install_dir/Orbiquell.exe"
E2E_EXE="$install_dir/Orbiquell.exe"
expected_run_value="\"$(windows_path "$E2E_EXE")\""

settings='HKLM\Software\Orbiquell\Settings'
run_user='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
run_all='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
browser_key='HKCR\http\shell\open\command'
mail_protocol='HKCR\mailto'
mail_key="$mail_protocol\shell\open\command"

default_value() {  # KEY: the data of the key's default value; fails if there is none
    local out
    out=$(wine_reg query "$1" /ve) || return 1
    sed -n 's/^    (Default)    REG_SZ    //p' <<<"${out//$'\r'/}" | grep .
}
set_default_value() { wine_reg add "$1" /ve /d "$2" /f >/dev/null; }  # KEY DATA
restore_default_value() {  # KEY SAVED: puts back what default_value returned ("" if none)
    if [ -n "$2" ]; then
        set_default_value "$1" "$2"
    else
        wine_reg delete "$1" /ve /f >/dev/null
    fi
}
saved_hot_corners=$(reg_get "$settings" HotCorners) || saved_hot_corners=
saved_run_user=$(reg_get "$run_user" Orbiquell) || saved_run_user=
saved_run_all=$(reg_get "$run_all" Orbiquell) || saved_run_all=
saved_browser=$(default_value "$browser_key") || saved_browser=
mail_existed=0
reg_key_exists "$mail_protocol" && mail_existed=1
saved_mail=$(default_value "$mail_key") || saved_mail=
restore() {
    reg_restore "$settings" HotCorners "$saved_hot_corners"
    reg_restore "$run_user" Orbiquell "$saved_run_user"
    reg_restore "$run_all" Orbiquell "$saved_run_all"
    restore_default_value "$browser_key" "$saved_browser"
    if ((mail_existed)); then
        restore_default_value "$mail_key" "$saved_mail"
    else
        wine_reg delete "$mail_protocol" /f >/dev/null
    fi
}
e2e_on_cleanup restore

reg_delete_value "$settings" HotCorners
reg_delete_value "$run_user" Orbiquell
reg_delete_value "$run_all" Orbiquell

# The shell opens links with the programs registered for their protocols; here
# the probe stands in for both and writes down what it is given.
browser_log="$E2E_ARTIFACTS/browser.txt"
mail_log="$E2E_ARTIFACTS/mail.txt"
recorder() { printf '"%s" record "%s" "%%1"' "$(windows_path "$E2E_PROBE")" "$(windows_path "$1")"; }
set_default_value "$browser_key" "$(recorder "$browser_log")"
wine_reg add "$mail_protocol" /v "URL Protocol" /d "" /f >/dev/null
set_default_value "$mail_key" "$(recorder "$mail_log")"
e2e_log "browser: $(default_value "$browser_key")"

# Wine serves no processor figures of its own; with the provider the Status
# tab shows them as on Windows.
if [ -n "${ORBIQUELL_PERF_PROVIDER:-}" ]; then
    "$ORBIQUELL_ROOT/tools/register-perf-provider" "$ORBIQUELL_PERF_PROVIDER" >/dev/null ||
        e2e_fail "cannot register the performance-counter provider"
fi
e2e_start_orbiquell
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
main_window_not_visible || e2e_fail "a main window is shown without -POPUP"

# ---- Opening, and the three tabs ----------------------------------------------

double_click_icon
poll_until 20 "the main window" main_window_visible || e2e_fail "no main window after a double click on the icon"
read_form
form_rect=$(field "$(form_record form)" rect)
e2e_observed "double click on the icon: $(form_record form)"

# page_shows SHOWN HIDDEN: the controls named in SHOWN (|-separated texts) are
# visible and those in HIDDEN are not; the four buttons below the tab control
# are visible on every page. Otherwise PAGE_WRONG says what is wrong.
page_shows() {
    local text control IFS='|'
    read_form || return 1
    for text in $1 OK Cancel '&Apply' '&Unload'; do
        control=$(form_record control "$text") || { PAGE_WRONG="no control '$text'"; return 1; }
        [ "$(field "$control" visible)" = 1 ] || { PAGE_WRONG="'$text' is hidden: $control"; return 1; }
    done
    for text in $2; do
        control=$(form_record control "$text") || { PAGE_WRONG="no control '$text'"; return 1; }
        [ "$(field "$control" visible)" = 0 ] || { PAGE_WRONG="'$text' is visible: $control"; return 1; }
    done
}
# show_tab TAB SHOWN HIDDEN: selects the tab and waits until it shows its page.
show_tab() {
    select_tab "$1"
    poll_until 10 "the $1 page" page_shows "$2" "$3" || e2e_fail "on the $1 tab $PAGE_WRONG"
}
status_controls='System Uptime|Resource Utilisation|CPU Usage:|Memory Usage:'
settings_controls='Hot Corners|&Enable Hot Corners|Not while a program &fills the screen|Auto Load Orbiquell for A&ll Users|Auto Load Orbiquell for &Current User'
about_controls='website|Dorrik Vell'

show_tab Status "$status_controls" "$settings_controls|$about_controls"
uptime=$(awk -F'\t' -v prefix="text=$COMPUTER_NAME has been up for " '
    $1 == "control" && $3 == "class=Edit" && index($NF, prefix) == 1 { print substr($NF, 6) }' <<<"$FORM")
[ -n "$uptime" ] || e2e_fail "no field reads '$COMPUTER_NAME has been up for ...'"
e2e_observed "Status tab: '$uptime'"
# Its figures change every second; on a busy machine two screenshots seldom
# fall in one second, so the row of buttons tells when the window is drawn.
IFS=, read -r l t r b <<<"$form_rect"
settled_screenshot tab-status "$form_rect" "$l,$((b - 45)),$r,$b"
keep_screenshot "$E2E_ARTIFACTS/tab-status.png" "$form_rect" status.png

show_tab Settings "$settings_controls" "$status_controls|$about_controls"
settled_screenshot tab-settings "$form_rect"
keep_screenshot "$E2E_ARTIFACTS/tab-settings.png" "$form_rect" settings.png

show_tab About "$about_controls" "$status_controls|$settings_controls"
settled_screenshot tab-about "$form_rect"
keep_screenshot "$E2E_ARTIFACTS/tab-about.png" "$form_rect" about.png

# ---- Settings: Apply, then Cancel ----------------------------------------------

current_user='Auto Load Orbiquell for &Current User'
all_users='Auto Load Orbiquell for A&ll Users'
hot_corners='&Enable Hot Corners'
select_tab Settings
control_has "$current_user" checked 0 || e2e_fail "'$current_user' is checked without a Run value"
click_control "$current_user"
poll_until 10 "'$current_user' to be checked" control_has "$current_user" checked 1 ||
    e2e_fail "'$current_user' is not checked after a click on it"
click_control '&Apply'
run_value_written() { [ "$(reg_get "$run_user" Orbiquell)" = "REG_SZ $expected_run_value" ]; }
poll_until 10 "the Run value" run_value_written ||
    e2e_fail "after Apply $run_user Orbiquell is '$(reg_get "$run_user" Orbiquell || echo absent)'," \
        "expected '$expected_run_value'"
e2e_observed "Apply: $run_user Orbiquell = $(reg_get "$run_user" Orbiquell)"
! reg_get "$run_all" Orbiquell >/dev/null ||
    e2e_fail "Apply wrote $run_all Orbiquell: $(reg_get "$run_all" Orbiquell)"
main_window_visible || e2e_fail "Apply closed the window"

click_control "$hot_corners"
poll_until 10 "'$hot_corners' to be checked" control_has "$hot_corners" checked 1 ||
    e2e_fail "'$hot_corners' is not checked after a click on it"
click_control Cancel
poll_until 10 "the main window to go" main_window_gone ||
    e2e_fail "the main window is still there after Cancel: $(probe windows "$MAIN_FORM")"
hot_corners_now=$(reg_get "$settings" HotCorners) || hot_corners_now=absent
e2e_observed "Cancel: window gone, HotCorners $hot_corners_now"
[ "$hot_corners_now" = absent ] || e2e_fail "Cancel wrote HotCorners: $hot_corners_now"
process_running "$ORBIQUELL_PID" || e2e_fail "Orbiquell ended with the window"

# Opened again, the window shows what was applied, not what was cancelled.
double_click_icon
poll_until 20 "the main window again" main_window_visible || e2e_fail "no main window after a second double click"
read_form
[ "$(field "$(form_record control "$current_user")" checked)" = 1 ] ||
    e2e_fail "'$current_user' is not checked after it was applied"
[ "$(field "$(form_record control "$all_users")" checked)" = 0 ] || e2e_fail "'$all_users' is checked"
[ "$(field "$(form_record control "$hot_corners")" checked)" = 0 ] ||
    e2e_fail "'$hot_corners' is checked after it was cancelled"

# ---- Minimised to the tray, restored from the menu -------------------------------

form=$(form_record form)
minimize=$(field "$form" minimize)
[ "$minimize" != none ] || e2e_fail "no minimise button on the title bar: $form"
click "$minimize"
poll_until 10 "the main window to be hidden" main_window_not_visible ||
    e2e_fail "the main window is still visible after a click on its minimise button ($minimize)"
hidden=$(probe windows "$MAIN_FORM") || e2e_fail "the main window was destroyed, not hidden"
e2e_observed "minimise button $minimize clicked: $hidden"
[ "$(field "$hidden" hwnd)" = "$(field "$form" hwnd)" ] || e2e_fail "another window: $hidden"
process_running "$ORBIQUELL_PID" || e2e_fail "Orbiquell ended"
have_orbiquell_icon || e2e_fail "the icon went away"

open_tray_menu menu-restore
choose_menu_item $MENU_RESTORE
poll_until 10 "the main window to be shown again" main_window_visible ||
    e2e_fail "no main window after Restore Orbiquell..."
read_form
restored=$(form_record form)
e2e_observed "Restore Orbiquell...: $restored"
[ "$(field "$restored" hwnd)" = "$(field "$form" hwnd)" ] || e2e_fail "a new window was made: $restored"
[ "$(field "$restored" minimized)" = 0 ] || e2e_fail "the window came back minimised"

# ---- The About tab's links --------------------------------------------------------

recorded() { [ -s "$1" ]; }
select_tab About
click_control website
poll_until 20 "the browser to start" recorded "$browser_log" || e2e_fail "no browser started for 'website'"
e2e_observed "website opened the browser with: $(cat "$browser_log")"
[ "$(cat "$browser_log")" = "http://www.example.org/software/Orbiquell/" ] ||
    e2e_fail "the browser got '$(cat "$browser_log")'"

click_control 'Dorrik Vell'
poll_until 20 "the mail program to start" recorded "$mail_log" || e2e_fail "no mail program started for 'Dorrik Vell'"
e2e_observed "Dorrik Vell opened the mail program with: $(cat "$mail_log")"
[ "$(cat "$mail_log")" = "mailto:dorrik.vell@example.org?subject=Orbiquell 1.5.0" ] ||
    e2e_fail "the mail program got '$(cat "$mail_log")'"
! probe dialog Orbiquell >/dev/null || e2e_fail "an error box is shown: $(probe dialog Orbiquell)"
[ "$(wc -l <"$browser_log")" -eq 1 ] || e2e_fail "the browser was started more than once"

probe close Orbiquell.HiddenForm >/dev/null || e2e_fail "no window to close"
poll_until 30 "Orbiquell to end" process_ended "$ORBIQUELL_PID" || e2e_fail "Orbiquell did not end"
e2e_log PASS
