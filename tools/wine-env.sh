# Sourced by every script that runs Orbiquell or its tests under Wine.
#
# Wine-hosted runs use the 64-bit loader directly: the 32-bit loader needs a
# kernel that executes 32-bit Linux programs, which not every host has.
# The prefix is project-local and reused between runs.

ORBIQUELL_ROOT=${ORBIQUELL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$ORBIQUELL_ROOT/.wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINELOADER=/usr/lib/wine/wine64
WINE=$WINELOADER
WINESERVER=/usr/lib/wine/wineserver64

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
        # Wine as packaged here finds none of the fonts it ships and draws
        # Tahoma, the program's font, in the wider DejaVu Sans; in the prefix's
        # Fonts folder it finds them.
        local font
        for font in /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf; do
            if [ -f "$font" ]; then cp -u "$font" "$WINEPREFIX/drive_c/windows/Fonts/"; fi
        done
    ) 9>"$WINEPREFIX.lock"
}
