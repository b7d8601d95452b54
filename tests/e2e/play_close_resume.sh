#!/usr/bin/env bash
# shellcheck disable=SC2317 # the polled checks are called through a helper
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

if [ -z "${E2E_INSIDE_XVFB:-}" ]; then
    for tool in xvfb-run xauth xdotool import convert python3; do
        if ! command -v "$tool" >/dev/null; then
            echo "FAIL: $tool is not installed" >&2
            exit 1
        fi
    done
    # The program must reach the X server: no offscreen platform from the test environment.
    unset QT_QPA_PLATFORM
    export E2E_INSIDE_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$(realpath "${BASH_SOURCE[0]}")" \
        "$(realpath "$1")" "$(realpath "$2")"
fi

unset QT_QPA_PLATFORM
brackenfold=$1
probe=$2
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
work=$(mktemp -d "${TMPDIR:-/tmp}/brackenfold-e2e.XXXXXX")
export BRACKENFOLD_HOME="$work/home"
mkdir -p "$BRACKENFOLD_HOME"
unfin="$BRACKENFOLD_HOME/.local/share/Quillmere Technologies/Brackenfold 6.0/Unfin.qx0"
settings="$BRACKENFOLD_HOME/.config/Brackenfold/registry.json"
pid=
t0=$EPOCHREALTIME

log() { awk -v now="$EPOCHREALTIME" -v t0="$t0" -v text="$*" 'BEGIN { printf "[%6.2fs] %s\n", now - t0, text }'; }

shot() {
    import -window root "$work/$1.png" 2>/dev/null || log "screenshot $1 failed"
}

fail() {
    echo "FAIL: $*"
    shot zz-failure
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
    echo "Screenshots, program output and home kept in $work"
    exit 1
}

# Runs the command every 0.1 s until it succeeds or the seconds have passed.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((EPOCHSECONDS + seconds))
    until "$@"; do
        [ "$EPOCHSECONDS" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

program_gone() { ! kill -0 "$pid" 2>/dev/null; }

main_window() { xdotool search --onlyvisible --name 'Freecell - [0-9]' 2>/dev/null | head -1; }
has_main_window() { [ -n "$(main_window)" ]; }
title_has() { xdotool getwindowname "$(main_window)" 2>/dev/null | grep -q -- "$1"; }

# The share of nearly white pixels in a card-sized box around (x, y) of a screenshot:
# a card face has a white ground, an empty slot none.
white_share() {
    convert "$1" -crop "60x84+$(($2 - 30))+$(($3 - 42))" +repage -colorspace Gray -threshold 90% \
        -format '%[fx:mean]' info:
}

# Where the board begins in a screenshot of the main window: menus and tool bars lie
# above it, and its table is one plain colour at the left edge and across the middle.
# Sets board_x and board_y (screen pixels).
find_board() {
    local image=$1 half_w=$((win_width / 2)) half_h=$((win_height / 2))
    # The start of the run of the colour the crop ends with, counted in pixels.
    run_start() {
        convert "$image" -crop "$1" +repage txt:- |
            awk 'NR > 1 { c[n++] = $3 } END { i = n - 1; while (i > 0 && c[i - 1] == c[n - 1]) i--; print i }'
    }
    board_y=$((win_y + $(run_start "1x${half_h}+$((win_x + 2))+${win_y}")))
    board_x=$((win_x + $(run_start "${half_w}x1+${win_x}+$((win_y + half_h))")))
    if [ $((board_y - win_y)) -gt $((half_h / 2)) ] || [ $((board_x - win_x)) -gt $((half_w / 2)) ]; then
        fail "no plain table found in $image (board at $board_x, $board_y?)"
    fi
}

# Starts the program, dismisses the splash with a click and waits for the dealt board.
start_program() {
    local run=$1
    "$brackenfold" >"$work/brackenfold-$run.log" 2>&1 &
    pid=$!
    local splash
    splash=$(timeout 20 xdotool search --sync --onlyvisible --class brackenfold 2>/dev/null | head -1)
    [ -n "$splash" ] || fail "run $run: no splash window within 20 s"
    log "run $run: splash window $splash mapped"
    shot "$run-0-splash"
    local X=640 Y=512 WIDTH=0 HEIGHT=0
    # The splash may close by itself meanwhile; the screen's centre is then clicked.
    eval "$(xdotool getwindowgeometry --shell "$splash" 2>/dev/null | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
    wait_for 30 has_main_window || fail "run $run: no main window showing a Freecell game within 30 s"
    program_gone && fail "run $run: the program ended"
    main=$(main_window)
    title=$(xdotool getwindowname "$main")
    log "run $run: main window $main: $title"
    number=$(sed -n 's/.*\[Freecell - \(-\{0,1\}[0-9]\{1,\}\)\].*/\1/p' <<<"$title")
    [ -n "$number" ] || fail "run $run: no game number in the title '$title'"
    eval "$(xdotool getwindowgeometry --shell "$main" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    win_x=$X win_y=$Y win_width=$WIDTH win_height=$HEIGHT
}

# Closes the main window with WM_DELETE_WINDOW; the program must end by itself with 0.
close_program() {
    local run=$1
    python3 "$here/close_window.py" "$main" || fail "run $run: the close request could not be sent"
    if ! wait_for 15 program_gone; then
        fail "run $run: the program did not end within 15 s of the close request"
    fi
    wait "$pid"
    local rc=$?
    pid=
    [ "$rc" -eq 0 ] || fail "run $run: the program ended with status $rc"
    log "run $run: closed, exit status 0"
    shot "$run-9-closed"
}

# The unfinished-game file: its game number, its move lines, and the last move.
check_file() {
    local run=$1 expected_moves=$2
    [ -f "$unfin" ] || fail "run $run: no unfinished-game file at $unfin"
    if grep -q -v $'\r$' "$unfin"; then
        fail "run $run: a line of $unfin does not end in CR LF"
    fi
    local name file_number moves last
    name=$(sed -n '1{s/\r$//;p}' "$unfin")
    file_number=$(sed -n '2{s/\r$//;s/ //g;p}' "$unfin")
    moves=$(($(wc -l <"$unfin") - 18))
    last=$(tail -n 1 "$unfin" | tr -d '\r')
    [ "$name" = Freecell ] || fail "run $run: the file names the game '$name'"
    [ "$file_number" = "$number" ] || fail "run $run: the file keeps game $file_number, the title showed $number"
    [ "$moves" -eq "$expected_moves" ] || fail "run $run: the file has $moves moves, $expected_moves expected"
    read -r -a move <<<"$last"
    [ "${#move[@]}" -eq 10 ] || fail "run $run: the last move line '$last' has ${#move[@]} numbers"
    if [ "${move[0]}" != "$card" ] || [ "${move[1]}" != 0 ] || [ "${move[2]}" != "$pile" ] ||
        [ "${move[4]}" != 4 ] || [ "${move[5]}" != 0 ]; then
        fail "run $run: the last move '$last' is not card $card from tableau pile $pile to free cell 0"
    fi
    python3 - "$settings" <<'EOF' || fail "run $run: the setting General/UnFin is not 1 in $settings"
import json, sys
keys = json.load(open(sys.argv[1]))["keys"]
flags = [v["UnFin"]["data"] for k, v in keys.items() if k.lower().endswith("\\general") and "UnFin" in v]
sys.exit(0 if flags == [1] else 1)
EOF
    # The saved game, resumed by the program's own code, has the card in the cell.
    "$probe" "$win_width" --file "$unfin" >"$work/board-$run.txt" 2>&1 ||
        fail "run $run: the probe cannot resume $unfin (see $work/board-$run.txt)"
    grep -qx "area 4 pile 0: $card" "$work/board-$run.txt" ||
        fail "run $run: card $card is not alone in free cell 0 of the saved game (see $work/board-$run.txt)"
    log "run $run: the file keeps game $number, $moves moves, the last: card $card to free cell 0; UnFin is 1"
}

trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null; fi' EXIT

# ---- Run 1: deal, move a card into free cell 0, close ----------------------------------
start_program 1
"$probe" "$win_width" "$number" >"$work/probe.txt" 2>&1 || fail "the probe failed: $(cat "$work/probe.txt")"
value() { awk -v k="$1" '$1 == k { print $2 }' "$work/probe.txt"; }
card=$(value card) pile=$(value pile) dealt_moves=$(value moves)

# The deal is over once the title counts its automatic moves.
wait_for 20 title_has "Moves:$dealt_moves\b" || fail "the title never showed Moves:$dealt_moves"
sleep 0.5
shot 1-1-dealt
find_board "$work/1-1-dealt.png"
card_x=$((board_x + $(value card_x))) card_y=$((board_y + $(value card_y)))
cell_x=$((board_x + $(value cell_x))) cell_y=$((board_y + $(value cell_y)))
log "probe: card $card on tableau pile $pile at ($card_x, $card_y), free cell 0 at ($cell_x, $cell_y)" \
    "(board at $board_x, $board_y), $dealt_moves automatic moves"
share=$(white_share "$work/1-1-dealt.png" "$cell_x" "$cell_y")
awk -v s="$share" 'BEGIN { exit !(s < 0.05) }' || fail "free cell 0 does not look empty after the deal ($share white)"
share=$(white_share "$work/1-1-dealt.png" "$card_x" "$card_y")
awk -v s="$share" 'BEGIN { exit !(s > 0.2) }' || fail "no card seen where the probe puts card $card ($share white)"

xdotool mousemove "$card_x" "$card_y"
sleep 0.2
xdotool mousedown 1
steps=12
for ((i = 1; i <= steps; i++)); do
    sleep 0.03
    xdotool mousemove $((card_x + (cell_x - card_x) * i / steps)) $((card_y + (cell_y - card_y) * i / steps))
done
sleep 0.1
xdotool mouseup 1
moved_moves=$((dealt_moves + 1))
wait_for 10 title_has "Moves:$moved_moves\b" || fail "the title never showed Moves:$moved_moves after the drag"
sleep 0.5
shot 1-2-moved
share=$(white_share "$work/1-2-moved.png" "$cell_x" "$cell_y")
awk -v s="$share" 'BEGIN { exit !(s > 0.2) }' || fail "free cell 0 does not show a card after the drag ($share white)"
log "run 1: card dragged into free cell 0 (cell $share white)"

first_number=$number
close_program 1
check_file 1 "$moved_moves"

# ---- Run 2: the same game comes back with its moves ---------------------------------
start_program 2
[ "$number" = "$first_number" ] || fail "run 2 shows game $number instead of $first_number"
wait_for 20 title_has "Moves:$moved_moves\b" || fail "run 2: the title never showed Moves:$moved_moves"
sleep 0.5
shot 2-1-resumed
share=$(white_share "$work/2-1-resumed.png" "$cell_x" "$cell_y")
awk -v s="$share" 'BEGIN { exit !(s > 0.2) }' || fail "run 2: free cell 0 does not show a card ($share white)"
log "run 2: game $number resumed with $moved_moves moves, a card in free cell 0"
close_program 2
check_file 2 "$moved_moves"

log "PASS"
if [ -n "${E2E_KEEP:-}" ]; then
    echo "Screenshots kept in $work"
else
    rm -rf "$work"
fi
exit 0
