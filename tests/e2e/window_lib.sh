# shellcheck shell=bash
# Helpers of the end-to-end tests that work Orbiquell's main window and its tray
# menu with the mouse; sourced after lib.sh.
#
# The probe tells where each window, control and tab is; the clicks are real X
# clicks at those places, so they take the way through Wine's input handling
# that a user's clicks take. Wine cannot read a menu of another process, so the
# tray menu's items are found in a screenshot of it.

MAIN_FORM=Orbiquell.Form

# ---- Places and clicks -------------------------------------------------------

# centre RECT: "X Y", the middle of a left,top,right,bottom rectangle.
centre() {
    local l t r b
    IFS=, read -r l t r b <<<"$1"
    echo "$(((l + r) / 2)) $(((t + b) / 2))"
}

# click RECT [BUTTON]: a real click in the middle of RECT (button 1 unless told).
click() {
    local x y
    read -r x y <<<"$(centre "$1")"
    xdotool mousemove "$x" "$y" click "${2:-1}"
}

icon_rect() { field "$(orbiquell_icons)" rect; }

double_click_icon() {
    local x y
    read -r x y <<<"$(centre "$(icon_rect)")"
    xdotool mousemove "$x" "$y" click --repeat 2 --delay 100 1
}

# centred_on_screen WINDOW_RECT: the window is centred on the screen (a pixel
# either way for odd sizes).
centred_on_screen() {
    local l t r b width=${E2E_SCREEN%x*} height=${E2E_SCREEN#*x}
    IFS=, read -r l t r b <<<"$1"
    ((l + r - width <= 2 && width - l - r <= 2 && t + b - height <= 2 && height - t - b <= 2))
}

# ---- The main window ---------------------------------------------------------

main_window_visible() { probe windows "$MAIN_FORM" | grep -q $'\tvisible=1\t'; }
main_window_not_visible() { ! main_window_visible; }
main_window_gone() { ! probe windows "$MAIN_FORM" >/dev/null; }

# read_form: the main window's records (its form line, then control and tab
# lines) into FORM; fails while there is no main window.
read_form() { FORM=$(probe controls "$MAIN_FORM"); }

# form_record KIND [TEXT]: the first record of KIND (form, control, tab) in FORM,
# or the first of them whose text is TEXT; fails when there is none.
form_record() {
    awk -F'\t' -v kind="$1" -v text="text=${2-}" -v any=$(($# < 2)) '
        $1 == kind && (any || $NF == text) { print; found = 1; exit }
        END { exit !found }' <<<"$FORM"
}

# control_field TEXT KEY: KEY of the main window's control with this text, read
# afresh.
control_field() {
    read_form || return 1
    local control
    control=$(form_record control "$1") || return 1
    field "$control" "$2"
}

control_has() { [ "$(control_field "$1" "$2")" = "$3" ]; }  # TEXT KEY VALUE

# form_layout FILE: the controls of the "probe controls" records in FILE as
# "ID|CLASS|LEFT,TOP,WIDTH,HEIGHT" lines, relative to the client area's top
# left corner, in the order the window lists them.
form_layout() {
    awk -F'\t' '
        function value(key,    i) { for (i = 1; i <= NF; i++) if (index($i, key "=") == 1) return substr($i, length(key) + 2) }
        $1 == "form" { split(value("client"), client, ",") }
        $1 == "control" {
            split(value("rect"), r, ",")
            printf "%s|%s|%d,%d,%d,%d\n", value("id"), value("class"),
                r[1] - client[1], r[2] - client[2], r[3] - r[1], r[4] - r[2]
        }' "$1"
}

# click_control TEXT: clicks the visible control of the main window with this
# text.
click_control() {
    read_form || e2e_fail "no main window to click '$1' in"
    local control
    control=$(form_record control "$1") || e2e_fail "no control '$1' in the main window"
    [ "$(field "$control" visible)" = 1 ] || e2e_fail "'$1' is not visible: $control"
    click "$(field "$control" rect)"
}

tab_selected() { read_form && [ "$(field "$(form_record tab "$1")" selected)" = 1 ]; }

# select_tab CAPTION: clicks the tab and waits until it is the selected one.
select_tab() {
    read_form || e2e_fail "no main window"
    local tab
    tab=$(form_record tab "$1") || e2e_fail "no tab '$1' in: $(grep $'^tab\t' <<<"$FORM")"
    click "$(field "$tab" rect)"
    poll_until 10 "the $1 tab to be selected" tab_selected "$1" ||
        e2e_fail "the $1 tab is not selected after a click on it"
}

# ---- Screenshots -------------------------------------------------------------

# area_unchanged NAME RECT: takes the screenshot NAME.png and succeeds when RECT
# shows the same pixels as in the screenshot taken before.
area_unchanged() {
    local last="$E2E_ARTIFACTS/.area-last.png" now="$E2E_ARTIFACTS/.area-now.png"
    e2e_screenshot "$1"
    crop "$E2E_ARTIFACTS/$1.png" "$2" "$now"
    if [ -f "$last" ] && [ "$(differing_pixels "$last" "$now")" = 0 ]; then
        return 0
    fi
    mv "$now" "$last"
    return 1
}

# settled_screenshot NAME RECT [STILL]: the screenshot NAME.png, taken once RECT
# (or STILL, a part of it that holds still) looks the same in two screenshots
# in a row, so that it shows a window or menu fully drawn rather than half-way.
settled_screenshot() {
    local still=${3:-$2}
    rm -f "$E2E_ARTIFACTS/.area-last.png"
    poll_until 20 "the screen at $still to settle" area_unchanged "$1" "$still" ||
        e2e_fail "the screen at $still keeps changing"
}

# keep_screenshot SHOT RECT NAME: RECT of the screenshot SHOT with a margin of a
# few pixels, saved as NAME in the artifacts; with ORBIQUELL_UPDATE_SCREENSHOTS=1
# also in docs/screenshots/ for the README (never otherwise, so that test runs
# leave the tree alone).
keep_screenshot() {
    local l t r b width height margin=8
    IFS=, read -r l t r b <<<"$2"
    read -r width height <<<"$(convert "$1" -format '%w %h' info:)"
    l=$((l > margin ? l - margin : 0))
    t=$((t > margin ? t - margin : 0))
    r=$((r + margin < width ? r + margin : width))
    b=$((b + margin < height ? b + margin : height))
    # Without the time chunks an unchanged picture stays the same file.
    convert "$1" -crop "$((r - l))x$((b - t))+$l+$t" +repage -strip \
        -define png:exclude-chunks=date,time "$E2E_ARTIFACTS/$3"
    if [ "${ORBIQUELL_UPDATE_SCREENSHOTS:-}" = 1 ]; then
        mkdir -p "$ORBIQUELL_ROOT/docs/screenshots"
        cp "$E2E_ARTIFACTS/$3" "$ORBIQUELL_ROOT/docs/screenshots/$3"
        e2e_log "updated docs/screenshots/$3"
    fi
}

# ---- The tray menu -----------------------------------------------------------

# The items, numbered from 1, and how many stand between the separators; read
# by the tests that source this file.
# shellcheck disable=SC2034
MENU_RESTORE=1 MENU_HOT_CORNERS=2 MENU_START_SAVER=3 MENU_CONFIGURE_SAVER=4 MENU_EXIT=5
MENU_LAYOUT="1 1 2 1"

# popup_menu: the one visible popup menu's record into MENU; fails while none
# is shown, and while a menu closed just before is still on its way out (Wine
# hides it a moment after the next one opens when the machine is busy).
popup_menu() {
    local menus
    menus=$(probe windows '#32768' | grep $'\tvisible=1\t') || return 1
    [ "$(wc -l <<<"$menus")" -eq 1 ] || return 1
    MENU=$menus
}
no_popup_menu() { ! probe windows '#32768' | grep -q $'\tvisible=1\t'; }
no_tooltip_shown() { ! probe tooltips >/dev/null; }

# menu_items SCREENSHOT RECT LAYOUT: the items of the menu drawn inside RECT.
# Rows in which fewer than half the pixels have the menu's background colour
# are separators or borders; the rows between them hold the items, LAYOUT of
# them in each group (the items of one group share its height equally). Prints
# one line per item, "INDEX TOP BOTTOM INK LEFT": its screen rows TOP..BOTTOM-1,
# the brightness (R + G + B, 0..765) of its darkest pixel and the screen column
# of its leftmost pixel that is not background (765 and -1 for an empty item).
# Fails, saying why, when the groups do not match LAYOUT.
menu_items() {
    local l t r b cropped="$E2E_ARTIFACTS/.menu.png"
    IFS=, read -r l t r b <<<"$2"
    crop "$1" "$2" "$cropped"
    pixel_rows "$cropped" | awk -v layout="$3" -v left="$l" -v top="$t" \
        -v w=$((r - l)) -v h=$((b - t)) '
        function brightness(rgb,    i, v) {
            for (i = 1; i <= 6; i += 2) v += 16 * digit(substr(rgb, i, 1)) + digit(substr(rgb, i + 1, 1))
            return v
        }
        function digit(d) { return index("0123456789ABCDEF", toupper(d)) - 1 }
        { colour[$1, $2] = $3; seen[$3]++ }
        END {
            for (c in seen) if (seen[c] > most) { most = seen[c]; bg = c }
            groups = 0; inside = 0
            for (y = 0; y < h; y++) {
                plain = 0
                for (x = 0; x < w; x++) if (colour[x, y] == bg) plain++
                if (plain * 2 < w) { if (inside) { last[groups] = y; inside = 0 } continue }
                if (!inside) { first[++groups] = y; inside = 1 }
            }
            if (inside) last[groups] = h
            wanted = split(layout, count, " ")
            if (groups != wanted) { print groups " groups of items, not " wanted; exit 1 }
            n = 0
            for (g = 1; g <= groups; g++)
                for (k = 0; k < count[g]; k++) {
                    y0 = first[g] + int(k * (last[g] - first[g]) / count[g])
                    y1 = first[g] + int((k + 1) * (last[g] - first[g]) / count[g])
                    ink = 765; leftmost = -1
                    for (y = y0; y < y1; y++) {
                        # Only between the first and the last background pixel of
                        # the row: the menu frame is no part of an item.
                        from = -1
                        for (x = 0; x < w; x++) if (colour[x, y] == bg) { if (from < 0) from = x; to = x }
                        for (x = from; from >= 0 && x <= to; x++) {
                            if (colour[x, y] == bg) continue
                            v = brightness(colour[x, y])
                            if (v < ink) ink = v
                            if (leftmost < 0 || x < leftmost) leftmost = x
                        }
                    }
                    print ++n, top + y0, top + y1, ink, (leftmost < 0 ? -1 : left + leftmost)
                }
        }'
}

# open_tray_menu SHOT_NAME: right-clicks the tray icon, waits for the menu and
# reads it from the screenshot SHOT_NAME.png: MENU is its record, MENU_ITEMS
# its items (see menu_items), MENU_SHOT the screenshot.
open_tray_menu() {
    click "$(icon_rect)" 3
    poll_until 20 "the tray menu" popup_menu ||
        e2e_fail "no single menu after a right click on the icon: $(probe windows '#32768')"
    # The icon's tooltip would cover part of the menu; it goes, or never comes,
    # once the pointer has left the icon.
    xdotool mousemove 200 200
    poll_until 20 "the icon's tooltip to go" no_tooltip_shown ||
        e2e_fail "a tooltip stays over the menu: $(probe tooltips)"
    local rect
    rect=$(field "$MENU" rect)
    settled_screenshot "$1" "$rect"
    MENU_SHOT="$E2E_ARTIFACTS/$1.png"
    MENU_ITEMS=$(menu_items "$MENU_SHOT" "$rect" "$MENU_LAYOUT") ||
        e2e_fail "the menu $rect does not look like the tray menu: $MENU_ITEMS ($MENU_SHOT)"
}

# menu_item INDEX KEY: TOP, BOTTOM, INK or LEFT of an item of MENU_ITEMS.
menu_item() {
    awk -v n="$1" -v key="$2" '
        BEGIN { column["TOP"] = 2; column["BOTTOM"] = 3; column["INK"] = 4; column["LEFT"] = 5 }
        $1 == n { print $column[key] }' <<<"$MENU_ITEMS"
}

# menu_item_rect INDEX: the item's place on the screen, the menu's width across.
menu_item_rect() {
    local l t r b
    IFS=, read -r l t r b <<<"$(field "$MENU" rect)"
    echo "$l,$(menu_item "$1" TOP),$r,$(menu_item "$1" BOTTOM)"
}

# menu_item_highlighted INDEX: most of the item's pixels differ from when the
# menu opened: the menu shows it selected.
menu_item_highlighted() {
    local rect l t r b
    rect=$(menu_item_rect "$1")
    IFS=, read -r l t r b <<<"$rect"
    e2e_screenshot menu-pointing
    crop "$E2E_ARTIFACTS/menu-pointing.png" "$rect" "$E2E_ARTIFACTS/.item-now.png"
    crop "$MENU_SHOT" "$rect" "$E2E_ARTIFACTS/.item-opened.png"
    (($(differing_pixels "$E2E_ARTIFACTS/.item-opened.png" "$E2E_ARTIFACTS/.item-now.png") * 2 > (r - l) * (b - t)))
}

# choose_menu_item INDEX: points at the item of the open menu, clicks it once
# the menu shows it selected, as a user does, and waits until the menu has
# closed. A menu that loses the pointer's move and one that loses the click
# fail with different messages, each saying where the input went.
choose_menu_item() {
    local x y
    read -r x y <<<"$(centre "$(menu_item_rect "$1")")"
    xdotool mousemove "$x" "$y"
    poll_until 10 "item $1 to be highlighted" menu_item_highlighted "$1" ||
        e2e_fail "the menu does not select item $1 under the pointer at $x,$y: $(probe focus)"
    xdotool click 1
    poll_until 10 "the menu to close" no_popup_menu || e2e_fail "the menu stayed open after item $1: $(probe focus)"
}
