#!/usr/bin/env bash
# Started from a folder whose name the ANSI code page cannot spell (Cyrillic
# letters here), Orbiquell still writes a Run value that names its real path:
# the Settings tab's "Auto Load Orbiquell for &Current User" and Apply store
# the path in quotes (it has a space), every letter as it is, not as "?".
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/window_lib.sh"
e2e_begin "$@"

run_user='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
e2e_keep_value "$run_user" Orbiquell
reg_delete_value "$run_user" Orbiquell

folder="$E2E_ARTIFACTS/Программы Orbi"
mkdir -p "$folder"
cp "$E2E_EXE" "$folder/"
E2E_EXE="$folder/$(basename "$E2E_EXE")"
expected="\"$(windows_path "$E2E_EXE")\""

# The Run key as Wine exports it, in UTF-16, then as UTF-8: the one place that
# shows every letter of the value.
exported_run_value() {
    local file="$E2E_ARTIFACTS/run.reg"
    rm -f "$file"
    wine_reg export "$run_user" "$(windows_path "$file")" /y >/dev/null || return 1
    iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' | sed -n 's/^"Orbiquell"="\(.*\)"$/\1/p' |
        sed 's/\\\\/\\/g; s/\\"/"/g'
}
run_value_is_real_path() { [ "$(exported_run_value)" = "$expected" ]; }

e2e_start_orbiquell -POPUP
poll_until 60 "the main window" main_window_visible || e2e_fail "no main window after -POPUP"
current_user='Auto Load Orbiquell for &Current User'
select_tab Settings
click_control "$current_user"
poll_until 10 "'$current_user' to be checked" control_has "$current_user" checked 1 ||
    e2e_fail "'$current_user' is not checked after a click on it"
click_control '&Apply'
poll_until 10 "the Run value with the real path" run_value_is_real_path ||
    e2e_fail "the Run value is '$(exported_run_value)', expected '$expected'"
e2e_observed "Run value: $(exported_run_value)"

click_control '&Unload'
poll_until 30 "Orbiquell to end" process_ended "$ORBIQUELL_PID" || e2e_fail "Orbiquell did not end"
e2e_log PASS
