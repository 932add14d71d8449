#!/usr/bin/env bash
# The harness itself, on whichever build's exe the host runs: started the one
# way every test starts it, the exe joins Wine's desktop and its icon comes up;
# made to land outside the desktop, as a program started by the wrong loader
# does, it ends the wait for its icon within seconds, with a message naming the
# window it showed there, instead of a timeout about a missing icon.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
E2E_EVERY_BUILD=1
e2e_begin "$@"

e2e_start_orbiquell
poll_until 60 "Orbiquell's icon" have_orbiquell_icon || e2e_fail "no icon appeared"
e2e_observed "the $(pe_build "$E2E_EXE") exe joined the desktop; its icon came up"
probe close Orbiquell.HiddenForm >/dev/null
closed_ms=$(now_ms)
expect_process_end "WM_CLOSE" "$closed_ms"

# A desktop of its own for this exe alone, through Wine's per-program settings.
app_key="HKCU\\Software\\Wine\\AppDefaults\\$(basename "$E2E_EXE")"
e2e_on_cleanup wine_quiet reg delete "$app_key" /f
wine_quiet reg add "$app_key\\Explorer" /v Desktop /d stray /f >/dev/null
wine_quiet reg add 'HKCU\Software\Wine\Explorer\Desktops' /v stray /d 320x240 /f >/dev/null

start_ms=$(now_ms)
status=0
output=$( (e2e_start_orbiquell && poll_until 60 "Orbiquell's icon" have_orbiquell_icon) 2>&1) ||
    status=$?
elapsed=$(($(now_ms) - start_ms))
printf '%s\n' "$output" >"$E2E_ARTIFACTS/stray.log"
e2e_observed "a start outside the desktop ended after $elapsed ms: ${output##*FAIL: }"
((status != 0)) || e2e_fail "the wait for the icon succeeded outside the desktop"
((elapsed < 20000)) || e2e_fail "the stray start took $elapsed ms to be noticed"
[[ $output == *"'stray - Wine desktop' appeared outside Wine's desktop"* ]] ||
    e2e_fail "the failure does not name the window outside the desktop: $output"
e2e_log PASS
