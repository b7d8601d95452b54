#!/usr/bin/env bash
# End-to-end test of the real program on a virtual X display (Xvfb), driven by real X
# pointer events (xdotool): start, dismiss the splash, drag a tableau card into free
# cell 0, close the window politely (WM_DELETE_WINDOW) and check the kept game and its
# setting; start again and check the same game comes back with the card in the cell.
#
#   play_close_resume.sh <brackenfold> <e2e_board_probe>
#
# Screenshots of every phase go to a temporary folder, which is kept (and named) on
# failure, or always with E2E_KEEP=1. Needs xvfb-run, xdotool, ImageMagick, python3.
set -u

if [ $# -ne 2 ]; then
    echo "usage: $0 <brackenfold> <e2e_board_probe>" >&2
    exit 2
fi
# shellcheck source=common.sh
source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/common.sh"
e2e_enter_xvfb "${BASH_SOURCE[0]}" "$@"
e2e_init "$@"

# ---- Run 1: deal, move a card into free cell 0, close ----------------------------------
start_program 1
drag_card_to_free_cell 1
first_number=$number
close_program 1
check_game_file 1 "$unfin" "$moved_moves"
check_unfin_setting 1

# ---- Run 2: the same game comes back with its moves ---------------------------------
start_program 2
[ "$number" = "$first_number" ] || fail "run 2 shows game $number instead of $first_number"
wait_for 120 title_has "Moves:$moved_moves\b" || fail "run 2: the title never showed Moves:$moved_moves"
await_looks card 2-1-resumed "$cell_x" "$cell_y" "run 2: free cell 0"
log "run 2: game $number resumed with $moved_moves moves, a card in free cell 0"
close_program 2
check_game_file 2 "$unfin" "$moved_moves"
check_unfin_setting 2

e2e_pass
