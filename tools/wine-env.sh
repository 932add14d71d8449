# Sourced by every script that runs Windows programs under Wine.
#
# Every Windows program starts through wine_start or wine_spawn, which pick the
# loader that fits the file: the 32-bit loader for a 32-bit (PE32) program, the
# 64-bit one for a 64-bit program and for Wine's own tools (reg, wineboot,
# explorer), which every host that has Wine here runs. Neither alternative
# works everywhere:
# - wine64 for all: given a 32-bit program, it hands over to the 32-bit loader
#   in a way that leaves the program outside Wine's virtual desktop, with a
#   stand-alone tray window of its own;
# - Debian's /usr/bin/wine runs the 32-bit loader whenever wine32 is installed,
#   which fails where the kernel does not execute 32-bit programs.
# The prefix is project-local and reused between runs.

ORBIQUELL_ROOT=${ORBIQUELL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$ORBIQUELL_ROOT/.wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver64

# pe_machine FILE: the machine field of a PE file's header, as 4 hex digits
# (014c for x86, 8664 for x86-64).
pe_machine() {
    local pe_offset
    pe_offset=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$pe_offset" ] || return 1
    [ "$(od -An -c -j "$pe_offset" -N 2 "$1" 2>/dev/null | tr -d ' ')" = PE ] || return 1
    od -An -t x2 -j $((pe_offset + 4)) -N 2 "$1" | tr -d ' '
}

# pe_build FILE: the build a Windows program comes from, i686 or x86_64.
pe_build() {
    case $(pe_machine "$1") in
        014c) echo i686 ;;
        8664) echo x86_64 ;;
        *) return 1 ;;
    esac
}

# wine_loader PROGRAM: the loader that runs PROGRAM, a file or the name of one
# of Wine's own tools. Fails, saying why, for a file of another kind.
wine_loader() {
    if [ ! -f "$1" ]; then
        echo "$WINE64"
        return 0
    fi
    case $(pe_build "$1") in
        i686) echo "$WINE32" ;;
        x86_64) echo "$WINE64" ;;
        *) echo "wine_loader: not a Windows program for x86 or x86-64: $1" >&2; return 1 ;;
    esac
}

# wine_start PROGRAM [ARGUMENTS...]: runs PROGRAM under Wine and returns its
# status. Programs it starts in turn find the loader of their own kind beside
# this one through WINELOADER.
wine_start() {
    local loader
    loader=$(wine_loader "$1") || return
    WINELOADER=$loader "$loader" "$@"
}

# wine_spawn [--detach] PROGRAM [ARGUMENTS...]: starts PROGRAM in the
# background and leaves in WINE_PID the pid of the loader, which becomes the
# Windows process itself. --detach starts it in a session of its own, so that
# it outlives the calling script.
wine_spawn() {
    local detach=()
    if [ "$1" = --detach ]; then
        detach=(setsid)
        shift
    fi
    local loader
    loader=$(wine_loader "$1") || return
    WINELOADER=$loader "${detach[@]}" "$loader" "$@" &
    WINE_PID=$!
}

# loader_runs LOADER: true when LOADER is installed and the kernel executes it
# (not every kernel runs 32-bit code).
loader_runs() { [ -x "$1" ] && "$1" --version >/dev/null 2>&1; }

# wine_runs PROGRAM: true when this host runs PROGRAM under Wine.
wine_runs() {
    local loader
    loader=$(wine_loader "$1" 2>/dev/null) && loader_runs "$loader"
}

# True when this host runs 32-bit Windows programs under Wine.
host_runs_win32() { loader_runs "$WINE32"; }

# e2e_build: which build's exe the end-to-end tests run on this host, in
# E2E_BUILD, and why, in E2E_BUILD_WHY. They run the product, the 32-bit exe,
# wherever the host can, and the 64-bit build of the same program in its place
# where it cannot.
e2e_build() {
    if host_runs_win32; then
        E2E_BUILD=i686
        E2E_BUILD_WHY="this host runs 32-bit programs under Wine"
    else
        E2E_BUILD=x86_64
        E2E_BUILD_WHY="this host cannot run 32-bit programs under Wine (no 32-bit Wine, or a kernel that does not execute 32-bit code)"
    fi
}

# Creates the prefix once (about 20 s); concurrent callers wait for the first.
wine_prefix_ready() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.orbiquell-ready" ]; then
            wine_start wineboot -i >/dev/null 2>&1 || true
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
