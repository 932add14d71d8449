#!/usr/bin/env bash
# Checks the built Orbiquell.exe as a file: the expected PE format, a Windows GUI
# program (no console window), importing only DLLs that every Windows has, and
# the ANSI notification-area call it is built around.
#
# usage: check_exe.sh EXE OBJDUMP FORMAT ALLOWED_DLL...
set -euo pipefail
exe=$1 objdump=$2 format=$3
shift 3
allowed=" ${*,,} "

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[ -f "$exe" ] || fail "no such file: $exe"
headers=$("$objdump" -p "$exe") || fail "$objdump cannot read $exe"

actual_format=$(sed -n 's/.*file format \(.*\)$/\1/p' <<<"$headers" | head -n1)
echo "format: $actual_format"
[ "$actual_format" = "$format" ] || fail "format '$actual_format', expected '$format'"

subsystem=$(awk '$1 == "Subsystem" { $1 = $2 = ""; sub(/^ +/, ""); print; exit }' <<<"$headers")
echo "subsystem: $subsystem"
[ "$subsystem" = "(Windows GUI)" ] || fail "subsystem '$subsystem', expected (Windows GUI)"

dlls=$(awk '$1 == "DLL" && $2 == "Name:" { print tolower($3) }' <<<"$headers" | sort -u)
echo "imports: $(tr '\n' ' ' <<<"$dlls")"
[ -n "$dlls" ] || fail "no imported DLLs found"
while read -r dll; do
    [[ $allowed == *" $dll "* ]] || fail "imports $dll, which is not a system DLL"
done <<<"$dlls"

# The tray icon is added through the ANSI entry point with the first form of
# NOTIFYICONDATA; the wide one would take a different record.
shell32_imports=$(awk '
    $1 == "DLL" && $2 == "Name:" { inside = (tolower($3) == "shell32.dll"); next }
    inside && NF == 3 && $2 ~ /^[0-9]+$/ { print $3 }' <<<"$headers")
grep -qx Shell_NotifyIconA <<<"$shell32_imports" || fail "Shell_NotifyIconA is not imported"
echo "PASS: $exe"
