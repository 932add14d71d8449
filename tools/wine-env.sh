# Sourced by every script that runs Orbiquell or its tests under Wine.
#
# Wine-hosted runs start the 64-bit loader directly; given a 32-bit program, it
# hands over to the 32-bit one (Debian's wine32), which needs a kernel that
# executes 32-bit Linux programs. Not every host has that: host_runs_win32
# tells. The prefix is project-local and reused between runs.

ORBIQUELL_ROOT=${ORBIQUELL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$ORBIQUELL_ROOT/.wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINELOADER=/usr/lib/wine/wine64
WINE=$WINELOADER
WINESERVER=/usr/lib/wine/wineserver64

# pe_machine FILE: the machine field of a PE file's header, as 4 hex digits
# (014c for x86, 8664 for x86-64).
pe_machine() {
    local pe_offset
    pe_offset=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
    [ "$(od -An -c -j "$pe_offset" -N 2 "$1" | tr -d ' ')" = PE ] || return 1
    od -An -t x2 -j $((pe_offset + 4)) -N 2 "$1" | tr -d ' '
}

# True when this host runs 32-bit Windows programs under Wine: wine32 is
# installed and the kernel executes its 32-bit loader.
host_runs_win32() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Creates the prefix once (about 20 s); concurrent callers wait for the first.
wine_prefix_ready() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.orbiquell-ready" ]; then
            "$WINE" wineboot -i >/dev/null 2>&1 || true
            "$WINESERVER" -w
            touch "$WINEPREFIX/.orbiquell-ready"
        fi
        # Wine as packaged here finds none of the fonts it ships: it draws
        # Tahoma, the program's font, in the wider DejaVu Sans, and the title
        # bar's buttons, which are glyphs of Marlett, as the letters "0 1 r".
        # In the prefix's Fonts folder it finds them.
        local font
        for font in /usr/share/wine/fonts/{tahoma,tahomabd,marlett}.ttf; do
            if [ -f "$font" ]; then cp -u "$font" "$WINEPREFIX/drive_c/windows/Fonts/"; fi
        done
    ) 9>"$WINEPREFIX.lock"
}
