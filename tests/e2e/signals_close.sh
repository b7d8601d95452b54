#!/usr/bin/env bash
# End-to-end test of the real program on a virtual X display (Xvfb): termination
# signals end it the ordinary way. Run 1 drags a card into free cell 0 and sends SIGHUP;
# run 2 resumes the game, opens the Open Game dialog with Ctrl+O and sends SIGTERM twice
# while it is open. Each time the program must end by itself with status 0, nobody
# answering the dialog, and keep the game with its move for the next start.
#
#   signals_close.sh <brackenfold> <e2e_board_probe>
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

dialog_window() { windows_of_type DIALOG | head -1; }
has_dialog() { [ -n "$(dialog_window)" ]; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Sends the signals to the program, which must end by itself with status 0.
# end_by_signals <run> <signal>...
end_by_signals() {
    local run=$1
    shift
    local signal
    for signal in "$@"; do
        kill -s "$signal" "$pid" || fail "run $run: $signal could not be sent"
        log "run $run: $signal sent"
    done
    wait_for 60 program_gone || fail "run $run: the program did not end within 60 s of $*"
    wait "$pid"
    local rc=$?
    pid=
    [ "$rc" -eq 0 ] || fail "run $run: the program ended with status $rc after $*"
    log "run $run: ended by $*, exit status 0"
}

# ---- Run 1: deal, move a card into free cell 0, SIGHUP -----------------------------
start_program 1
drag_card_to_free_cell 1
first_number=$number
end_by_signals 1 HUP
check_game_file 1 "$unfin" "$moved_moves"
check_unfin_setting 1

# ---- Run 2: the game comes back; SIGTERM twice with the Open Game dialog open ------
start_program 2
[ "$number" = "$first_number" ] || fail "run 2 shows game $number instead of $first_number"
wait_for 120 title_has "Moves:$moved_moves\b" || fail "run 2: the title never showed Moves:$moved_moves"
# Without a window manager a click on the table gives the window the keyboard.
xdotool mousemove $((win_x + win_width - 30)) $((win_y + win_height - 30)) click 1
wait_for 60 has_focus "$main" || fail "run 2: the main window did not get the keyboard focus"
xdotool key ctrl+o
wait_for 60 has_dialog || fail "run 2: no dialog opened on Ctrl+O"
log "run 2: dialog $(dialog_window): $(xdotool getwindowname "$(dialog_window)")"
sleep 0.5
shot 2-1-open-dialog
end_by_signals 2 TERM TERM
check_game_file 2 "$unfin" "$moved_moves"
check_unfin_setting 2

e2e_pass
