#!/usr/bin/env bash
# shellcheck disable=SC2317 # the polled checks are called through a helper
# End-to-end test of saving a game from the File menu and opening it from the command
# line, on a virtual X display (Xvfb) with real X input (xdotool):
#   run 1: start, dismiss the splash, drag a tableau card into free cell 0, choose
#          File > Save Game with the pointer, type a path with a blank into the file
#          dialog and check the written file; undo the move (Ctrl+Z), so the game kept
#          at closing differs from the saved one, and close.
#   run 2: start with the saved file as the argument, answer Yes to the question about
#          the unfinished game, and check the saved game is the one shown, with the card
#          in free cell 0; close and check it is now the kept unfinished game.
#
#   save_open_command_line.sh <brackenfold> <e2e_board_probe>
#
# Screenshots of every phase go to a temporary folder, which is kept (and named) on
# failure, or always with E2E_KEEP=1. Needs xvfb-run, xdotool, xprop, ImageMagick, python3.
set -u

if [ $# -ne 2 ]; then
    echo "usage: $0 <brackenfold> <e2e_board_probe>" >&2
    exit 2
fi
if ! command -v xprop >/dev/null; then
    echo "FAIL: xprop is not installed" >&2
    exit 1
fi
# shellcheck source=common.sh
source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/common.sh"
e2e_enter_xvfb "${BASH_SOURCE[0]}" "$@"
e2e_init "$@"

saved="$work/saved game.qx0"

dialog_window() { windows_of_type DIALOG | head -1; }
has_dialog() { [ -n "$(dialog_window)" ]; }
no_dialog() { [ -z "$(dialog_window)" ]; }
menu_window() { windows_of_type POPUP_MENU | head -1; }
has_menu() { [ -n "$(menu_window)" ]; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# The grey level (0-255) of every pixel of a box of a screenshot, as "x y level" lines.
levels() {
    convert "$1" -crop "$2" +repage -colorspace Gray -depth 8 txt:- |
        awk -F '[,:( ]+' 'NR > 1 { print $1, $2, $3 }'
}

# Clicks the first menu of the menu bar ("File"): its label is the first dark text at
# the left of the strip above the board. Needs the screenshot of the main window.
click_first_menu() {
    local image=$1 height=$((board_y - win_y))
    [ "$height" -gt 40 ] && height=40
    local spot
    # The topmost band of rows with dark pixels, and the leftmost dark pixel in it.
    spot=$(levels "$image" "80x${height}+${win_x}+${win_y}" | awk '
        $3 < 96 { dark[$2] = 1; if (!($2 in left) || $1 < left[$2]) left[$2] = $1 }
        END {
            for (y = 0; y < 40 && !(y in dark); y++) ;
            if (y == 40) exit 1
            top = y; x = 1000
            for (; y in dark; y++) if (left[y] < x) x = left[y]
            print x + 3, int((top + y - 1) / 2)
        }') || fail "no menu label found above the board in $image"
    read -r x y <<<"$spot"
    log "run 1: clicking the first menu's label at ($((win_x + x)), $((win_y + y)))"
    xdotool mousemove $((win_x + x)) $((win_y + y)) click 1
}

# The centre rows of the text lines of an open menu, top to bottom, in screen pixels.
# A line is a run of rows in the label column with some pixels off the menu's ground,
# gaps of up to 3 rows included (a mnemonic's underline lies below its letters);
# separators and the frame fill their rows wholly and end a line.
menu_lines() {
    local image=$1 menu=$2 X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$menu" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    # The label column: right of the icons, left of the shortcuts.
    local left=26 width=$((WIDTH / 2 - 26))
    levels "$image" "${width}x${HEIGHT}+$((X + left))+${Y}" | awk -v width="$width" -v y0="$Y" '
        { level[$2 "," $1] = $3; count[$3]++; if ($2 > rows) rows = $2 }
        END {
            for (l in count) if (count[l] > most) { most = count[l]; ground = l }
            start = -1
            for (y = 0; y <= rows + 4; y++) {
                off = 0
                for (x = 0; x < width; x++) if ((y "," x) in level && level[y "," x] != ground) off++
                rule = off >= width * 0.8
                if (off > 0 && !rule) {
                    if (start < 0) start = y
                    last = y
                } else if (start >= 0 && (rule || y - last > 3)) {
                    print y0 + int((start + last) / 2)
                    start = -1
                }
            }
        }'
}

# ---- Run 1: deal, move a card into free cell 0, save from the File menu -------------
start_program 1
drag_card_to_free_cell 1
first_number=$number

click_first_menu "$work/1-2-moved.png"
wait_for 60 has_menu || fail "run 1: no menu opened on a click on its label"
menu=$(menu_window)
# The File menu: New Game, Select Game, Restart Game, Select a Number, Open Game, Save
# Game, Close Game, the three Recently lists and Exit, in groups between separators.
# Screenshots are taken until all of it is drawn.
menu_drawn() {
    shot 1-3-file-menu
    mapfile -t lines < <(menu_lines "$work/1-3-file-menu.png" "$menu")
    [ "${#lines[@]}" -eq 11 ]
}
wait_for 60 menu_drawn || fail "run 1: the File menu shows ${#lines[@]} lines of text, 11 expected"
eval "$(xdotool getwindowgeometry --shell "$menu" | grep -E '^X=')"
xdotool mousemove $((X + 60)) "${lines[5]}"
sleep 0.3
shot 1-4-save-item
log "run 1: clicking Save Game, the sixth line of the File menu, at ($((X + 60)), ${lines[5]})"
xdotool click 1

wait_for 60 has_dialog || fail "run 1: no dialog opened from File > Save Game"
dialog=$(dialog_window)
log "run 1: dialog $dialog: $(xdotool getwindowname "$dialog")"
wait_for 60 has_focus "$dialog" || fail "run 1: the save dialog never got the keyboard focus"
sleep 0.5
shot 1-5-save-dialog
# The file-name field has the focus: its proposal is replaced by a full path.
xdotool key ctrl+a
xdotool type --delay 30 "$saved"
sleep 0.3
shot 1-6-path-typed
xdotool key Return
wait_for 60 no_dialog || fail "run 1: the save dialog did not close on Enter"
wait_for 60 test -s "$saved" || fail "run 1: nothing was saved at $saved"
sleep 0.5
shot 1-7-saved
check_game_file 1 "$saved" "$moved_moves"

# Undone, the move is not in the game kept at closing; only the saved file has it.
# Without a window manager the keyboard focus falls back to the root window when the
# dialog closes; a click on the empty table at the bottom right makes Qt take it back.
xdotool mousemove $((win_x + win_width - 30)) $((win_y + win_height - 30)) click 1
wait_for 60 has_focus "$main" || fail "run 1: the main window did not get the focus back"
xdotool key ctrl+z
wait_for 60 title_has "Moves:$dealt_moves\b" || fail "run 1: the title never showed Moves:$dealt_moves after Ctrl+Z"
await_looks empty 1-8-undone "$cell_x" "$cell_y" "run 1: free cell 0 after the undo"
close_program 1
check_unfin_setting 1
# The dialog remembers the folder saved in for the next time.
python3 - "$settings" "$work" <<'EOF' || fail "run 1: the setting General/SaveInitDir is not $work in $settings"
import json, sys
keys = json.load(open(sys.argv[1]))["keys"]
dirs = [v["SaveInitDir"]["data"] for k, v in keys.items() if k.lower().endswith("\\general") and "SaveInitDir" in v]
sys.exit(0 if dirs == [sys.argv[2]] else 1)
EOF
"$probe" "$win_width" --file "$unfin" >"$work/board-1-unfin.txt" 2>&1 ||
    fail "run 1: the probe cannot resume $unfin (see $work/board-1-unfin.txt)"
grep -qx "area 4 pile 0:" "$work/board-1-unfin.txt" ||
    fail "run 1: free cell 0 of the kept game is not empty (see $work/board-1-unfin.txt)"
grep -q "^area 0 pile $pile:.* $card\$" "$work/board-1-unfin.txt" ||
    fail "run 1: card $card is not back on tableau pile $pile in the kept game (see $work/board-1-unfin.txt)"
log "run 1: the kept game has card $card back on tableau pile $pile"

# ---- Run 2: open the saved file from the command line, answering Yes ---------------
launch_program 2 "$saved"
wait_for 120 has_dialog || fail "run 2: no question about the unfinished game within 120 s"
question=$(dialog_window)
has_main_window && fail "run 2: a game is shown before the question is answered"
wait_for 60 has_focus "$question" || fail "run 2: the question never got the keyboard focus"
sleep 0.5
shot 2-1-question
log "run 2: question $question: $(xdotool getwindowname "$question"); answering y"
xdotool key y
wait_for 60 no_dialog || fail "run 2: the question did not close on the key y"
await_board 2
[ "$number" = "$first_number" ] || fail "run 2 shows game $number instead of $first_number"
wait_for 120 title_has "Moves:$moved_moves\b" || fail "run 2: the title never showed Moves:$moved_moves"
await_looks card 2-2-opened "$cell_x" "$cell_y" "run 2: free cell 0"
log "run 2: the saved game $number is shown with $moved_moves moves, a card in free cell 0"
close_program 2
check_game_file 2 "$unfin" "$moved_moves"
check_unfin_setting 2

e2e_pass
