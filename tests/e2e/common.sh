# shellcheck shell=bash
# shellcheck disable=SC2317,SC2034 # polled checks called through a helper; variables for the scripts
# Helpers shared by the end-to-end scripts, which source this file. The scripts drive
# the real program on a virtual X display (Xvfb) with real X input (xdotool).
#
# A script calls e2e_enter_xvfb first (it re-executes the script inside xvfb-run), then
# e2e_init, which makes the temporary folder ($work) with a fresh home for the program.
# Screenshots go to $work, which is kept (and named) on failure, or always with
# E2E_KEEP=1. Needs xvfb-run, xdotool, ImageMagick, python3.

# Re-executes the script <script> with its arguments (both files) under xvfb-run,
# unless it already runs there.
e2e_enter_xvfb() {
    local script=$1
    shift
    [ -n "${E2E_INSIDE_XVFB:-}" ] && return 0
    local tool
    for tool in xvfb-run xauth xdotool import convert python3; do
        if ! command -v "$tool" >/dev/null; then
            echo "FAIL: $tool is not installed" >&2
            exit 1
        fi
    done
    # The program must reach the X server: no offscreen platform from the test environment.
    unset QT_QPA_PLATFORM
    export E2E_INSIDE_XVFB=1
    local args=() arg
    for arg in "$@"; do
        args+=("$(realpath "$arg")")
    done
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$(realpath "$script")" "${args[@]}"
}

# Sets up the run: the program and probe paths, the folder $work with the program's
# home, the paths of the unfinished-game file and of the settings.
e2e_init() {
    unset QT_QPA_PLATFORM
    brackenfold=$1
    probe=$2
    here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
    work=$(mktemp -d "${TMPDIR:-/tmp}/brackenfold-e2e.XXXXXX")
    export BRACKENFOLD_HOME="$work/home"
    mkdir -p "$BRACKENFOLD_HOME"
    unfin="$BRACKENFOLD_HOME/.local/share/Quillmere Technologies/Brackenfold 6.0/Unfin.qx0"
    settings="$BRACKENFOLD_HOME/.config/Brackenfold/registry.json"
    # A table of one plain colour that never changes, so find_board can tell where it begins.
    mkdir -p "$(dirname "$settings")"
    cat >"$settings" <<'JSON'
{"generation": 1, "keys": {"HKEY_LOCAL_MACHINE\\Software\\Quillmere Technologies\\Brackenfold 6.0\\6.0\\BackGround":
 {"FadeIndex": {"data": 0, "type": "REG_DWORD"}, "WPTimerValue": {"data": 0, "type": "REG_DWORD"}}}}
JSON
    pid=
    t0=$EPOCHREALTIME
    trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null; fi' EXIT
}

# Ends a passed run: the folder goes unless E2E_KEEP is set.
e2e_pass() {
    log "PASS"
    if [ -n "${E2E_KEEP:-}" ]; then
        echo "Screenshots kept in $work"
    else
        rm -rf "$work"
    fi
    exit 0
}

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

# The program's shown windows of the given _NET_WM_WINDOW_TYPE (DIALOG, POPUP_MENU, ...).
windows_of_type() {
    local w
    for w in $(xdotool search --onlyvisible --class brackenfold 2>/dev/null); do
        xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q "_NET_WM_WINDOW_TYPE_$1\b" && echo "$w"
    done
}

# The share of nearly white pixels in a card-sized box around (x, y) of a screenshot:
# a card face has a white ground, an empty slot none.
white_share() {
    convert "$1" -crop "60x84+$(($2 - 30))+$(($3 - 42))" +repage -colorspace Gray -threshold 90% \
        -format '%[fx:mean]' info:
}

# Whether the box around (x, y) of a screenshot shows a card (more than 0.2 white) or an
# empty slot (less than 0.05 white): shows <card|empty> <image> <x> <y>; sets share.
shows() {
    share=$(white_share "$2" "$3" "$4")
    if [ "$1" = card ]; then
        awk -v s="$share" 'BEGIN { exit !(s > 0.2) }'
    else
        awk -v s="$share" 'BEGIN { exit !(s < 0.05) }'
    fi
}

# Fails unless the screenshot shows what is asked: looks <card|empty> <image> <x> <y> <what>.
looks() {
    shows "$1" "$2" "$3" "$4" || fail "$5 does not show $([ "$1" = card ] && echo a card || echo empty) ($share white)"
}

# Takes the screenshot <name> until the box around (x, y) shows a card or an empty slot,
# for at most a minute: the window paints after its title changed, later on a busy
# machine. await_looks <card|empty> <name> <x> <y> <what>.
await_looks() {
    local deadline=$((EPOCHSECONDS + 60))
    until shot "$2" && shows "$1" "$work/$2.png" "$3" "$4"; do
        [ "$EPOCHSECONDS" -ge "$deadline" ] && break
        sleep 0.2
    done
    looks "$1" "$work/$2.png" "$3" "$4" "$5"
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

# Starts the program with the given arguments and dismisses the splash with a click.
launch_program() {
    local run=$1
    shift
    # In the sanitizer build the leak check at exit is left to the unit tests: its
    # stop-the-world tracer now and then crashes on a busy machine ("Tracer caught signal
    # 11") and would fail a run that these tests judge by its exit status. Address and
    # undefined-behaviour checks stay on.
    LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}detect_leaks=0" "$brackenfold" "$@" >"$work/brackenfold-$run.log" 2>&1 &
    pid=$!
    local splash
    splash=$(timeout 120 xdotool search --sync --onlyvisible --class brackenfold 2>/dev/null | head -1)
    [ -n "$splash" ] || fail "run $run: no splash window within 120 s"
    log "run $run: splash window $splash mapped"
    shot "$run-0-splash"
    local X=640 Y=512 WIDTH=0 HEIGHT=0
    # The splash may close by itself meanwhile; the screen's centre is then clicked.
    eval "$(xdotool getwindowgeometry --shell "$splash" 2>/dev/null | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
}

select_dialog() { xdotool search --onlyvisible --name '^Select a Game$' 2>/dev/null | head -1; }
board_or_select_dialog() { has_main_window || [ -n "$(select_dialog)" ]; }

# With no game to resume, the start opens the game selection: "Freecell" is typed into
# its tree (the tree's type-ahead chooses the game) and Return presses Play.
pick_freecell() {
    local run=$1 dialog
    dialog=$(select_dialog)
    [ -n "$dialog" ] || return 0
    log "run $run: the game selection opened"
    sleep 0.5
    shot "$run-0-select"
    xdotool windowfocus --sync "$dialog" 2>/dev/null || xdotool windowfocus "$dialog"
    sleep 0.2
    xdotool type --delay 60 Freecell
    sleep 0.3
    shot "$run-0-select-freecell"
    xdotool key Return
}

# Waits for the main window showing a game, choosing "Freecell" when the game selection
# opens first; sets main, title, number and the window's geometry (win_x, win_y,
# win_width, win_height).
await_board() {
    local run=$1
    wait_for 120 board_or_select_dialog || fail "run $run: neither a game nor the game selection within 120 s"
    has_main_window || pick_freecell "$run"
    wait_for 120 has_main_window || fail "run $run: no main window showing a Freecell game within 120 s"
    program_gone && fail "run $run: the program ended"
    main=$(main_window)
    title=$(xdotool getwindowname "$main")
    log "run $run: main window $main: $title"
    number=$(sed -n 's/.*\[Freecell - \(-\{0,1\}[0-9]\{1,\}\)\].*/\1/p' <<<"$title")
    [ -n "$number" ] || fail "run $run: no game number in the title '$title'"
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$main" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    win_x=$X win_y=$Y win_width=$WIDTH win_height=$HEIGHT
}

# Starts the program without arguments and waits for the dealt or resumed game.
start_program() {
    launch_program "$1"
    await_board "$1"
}

# Closes the main window with WM_DELETE_WINDOW; the program must end by itself with 0.
close_program() {
    local run=$1
    python3 "$here/close_window.py" "$main" || fail "run $run: the close request could not be sent"
    if ! wait_for 60 program_gone; then
        fail "run $run: the program did not end within 60 s of the close request"
    fi
    wait "$pid"
    local rc=$?
    pid=
    [ "$rc" -eq 0 ] || fail "run $run: the program ended with status $rc"
    log "run $run: closed, exit status 0"
    shot "$run-9-closed"
}

# In the freshly dealt game, asks the probe for a tableau card that can go to free cell
# 0, checks the screen, and drags the card there with the pointer. Sets card, pile,
# dealt_moves, moved_moves, the board's origin and the screen positions of the card
# (card_x, card_y) and of the cell (cell_x, cell_y).
drag_card_to_free_cell() {
    local run=$1
    "$probe" "$win_width" "$number" >"$work/probe.txt" 2>&1 || fail "the probe failed: $(cat "$work/probe.txt")"
    value() { awk -v k="$1" '$1 == k { print $2 }' "$work/probe.txt"; }
    card=$(value card) pile=$(value pile) dealt_moves=$(value moves)

    # The deal is over once the title counts its automatic moves.
    wait_for 120 title_has "Moves:$dealt_moves\b" || fail "the title never showed Moves:$dealt_moves"
    sleep 0.5
    shot "$run-1-dealt"
    find_board "$work/$run-1-dealt.png"
    card_x=$((board_x + $(value card_x))) card_y=$((board_y + $(value card_y)))
    cell_x=$((board_x + $(value cell_x))) cell_y=$((board_y + $(value cell_y)))
    log "probe: card $card on tableau pile $pile at ($card_x, $card_y), free cell 0 at ($cell_x, $cell_y)" \
        "(board at $board_x, $board_y), $dealt_moves automatic moves"
    await_looks empty "$run-1-dealt" "$cell_x" "$cell_y" "free cell 0 after the deal"
    looks card "$work/$run-1-dealt.png" "$card_x" "$card_y" "the place where the probe puts card $card"

    xdotool mousemove "$card_x" "$card_y"
    sleep 0.2
    xdotool mousedown 1
    local steps=12 i
    for ((i = 1; i <= steps; i++)); do
        sleep 0.03
        xdotool mousemove $((card_x + (cell_x - card_x) * i / steps)) $((card_y + (cell_y - card_y) * i / steps))
    done
    sleep 0.1
    xdotool mouseup 1
    moved_moves=$((dealt_moves + 1))
    wait_for 60 title_has "Moves:$moved_moves\b" || fail "the title never showed Moves:$moved_moves after the drag"
    await_looks card "$run-2-moved" "$cell_x" "$cell_y" "free cell 0 after the drag"
    log "run $run: card dragged into free cell 0"
}

# Checks a saved game file: game Freecell with the title's number, CR LF lines, the
# expected count of move lines, the last being card $card from tableau pile $pile to
# free cell 0; and, resumed by the probe (the program's own code), the card alone in
# free cell 0. check_game_file <run> <file> <expected moves>
check_game_file() {
    local run=$1 file=$2 expected_moves=$3
    [ -f "$file" ] || fail "run $run: no game file at $file"
    if grep -q -v $'\r$' "$file"; then
        fail "run $run: a line of $file does not end in CR LF"
    fi
    local name file_number moves last
    name=$(sed -n '1{s/\r$//;p}' "$file")
    file_number=$(sed -n '2{s/\r$//;s/ //g;p}' "$file")
    moves=$(($(wc -l <"$file") - 18))
    last=$(tail -n 1 "$file" | tr -d '\r')
    [ "$name" = Freecell ] || fail "run $run: $file names the game '$name'"
    [ "$file_number" = "$number" ] || fail "run $run: $file keeps game $file_number, the title showed $number"
    [ "$moves" -eq "$expected_moves" ] || fail "run $run: $file has $moves moves, $expected_moves expected"
    local move
    read -r -a move <<<"$last"
    [ "${#move[@]}" -eq 10 ] || fail "run $run: the last move line '$last' of $file has ${#move[@]} numbers"
    if [ "${move[0]}" != "$card" ] || [ "${move[1]}" != 0 ] || [ "${move[2]}" != "$pile" ] ||
        [ "${move[4]}" != 4 ] || [ "${move[5]}" != 0 ]; then
        fail "run $run: the last move '$last' of $file is not card $card from tableau pile $pile to free cell 0"
    fi
    local board
    board="$work/board-$run-$(basename "$file" | tr -c 'A-Za-z0-9.\n' '_').txt"
    "$probe" "$win_width" --file "$file" >"$board" 2>&1 ||
        fail "run $run: the probe cannot resume $file (see $board)"
    grep -qx "area 4 pile 0: $card" "$board" ||
        fail "run $run: card $card is not alone in free cell 0 of $file (see $board)"
    log "run $run: $file keeps game $number, $moves moves, the last: card $card to free cell 0"
}

# Checks that the setting General/UnFin (an unfinished game is kept) is 1.
check_unfin_setting() {
    local run=$1
    python3 - "$settings" <<'EOF' || fail "run $run: the setting General/UnFin is not 1 in $settings"
import json, sys
keys = json.load(open(sys.argv[1]))["keys"]
flags = [v["UnFin"]["data"] for k, v in keys.items() if k.lower().endswith("\\general") and "UnFin" in v]
sys.exit(0 if flags == [1] else 1)
EOF
    log "run $run: UnFin is 1"
}
