#!/usr/bin/env bash
# shellcheck disable=SC2317 # the polled checks are called through a helper
# Start-up figures of the real program on a virtual X display (Xvfb). A benchmark: it
# reports and never fails; it is not part of CI. Run by hand:
#
#   bench/startup.sh <brackenfold> [runs, default 5]
#
# Each run starts with a fresh BRACKENFOLD_HOME (so a new random game is dealt) and
# measures:
#   splash  start of the process to the splash window mapped;
#   board   the click that dismisses the splash to the board painted (the main window
#           mapped and its table no longer black on screen);
#   select  the same click to the game selection shown (a fresh home has no game to
#           resume), where "Freecell" is typed into the tree and Return presses Play;
#   dealt   that Return to the title naming the game, which the window shows once
#           the deal (animated, about 1 s) is over;
#   hwm     peak resident memory (VmHWM) just after the first deal;
#   newgame the New Game command (F2) on the dealt board to the command's end, when
#           the board is still and takes input: the program keeps the new game on disk
#           at that moment, so the unfinished-game file's change is polled (every 5 ms);
#   screen  the same command to a still board on screen: the board's pixels change,
#           then two looks in a row find them equal (the start of the first is taken);
#           each look holds up the X server, so this figure runs slower than the deal.
# Times are wall-clock and include the polling (about 20-60 ms per look).

if [ $# -lt 1 ]; then
    echo "usage: $0 <brackenfold> [runs]" >&2
    exit 0
fi

# shellcheck source=support/xvfb.sh
. "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/support/xvfb.sh"
if [ -z "${BENCH_INSIDE_XVFB:-}" ]; then
    in_xvfb "${BASH_SOURCE[0]}" 1280x1024x24 import -- "$(realpath "$1")" "${2:-5}"
    exit 0
fi

unset QT_QPA_PLATFORM
brackenfold=$1
runs=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/brackenfold-bench.XXXXXX")
pid=
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null; fi; rm -rf "$work"' EXIT

since() { awk -v now="$EPOCHREALTIME" -v t="$1" 'BEGIN { printf "%.3f", now - t }'; }

main_window() { main=$(xdotool search --onlyvisible --name '^Brackenfold 6\.0' 2>/dev/null | head -1) && [ -n "$main" ]; }
board_painted() {
    main_window || return 1
    local pixel
    # Low on the left: the table there, below menus and clear of the splash.
    pixel=$(import -window root -crop 1x1+10+900 txt:- 2>/dev/null | tail -n 1)
    [ -n "$pixel" ] && ! grep -q '#000000' <<<"$pixel"
}

# A checksum of the board's pixels: the screen below the menus and the toolbar.
board_sum() { import -window root -crop 1280x900+0+100 rgb:- 2>/dev/null | md5sum | cut -c1-32; }

# Presses F2 on the main window and prints the seconds until the new game is kept on disk.
new_game_kept_seconds() {
    local unfin="$BRACKENFOLD_HOME/.local/share/Quillmere Technologies/Brackenfold 6.0/Unfin.qx0"
    local before t0
    before=$(stat -c '%.9Y' "$unfin" 2>/dev/null)
    xdotool windowfocus "$main" 2>/dev/null
    t0=$EPOCHREALTIME
    xdotool key F2
    local deadline=$((EPOCHSECONDS + 20))
    until [ "$(stat -c '%.9Y' "$unfin" 2>/dev/null)" != "$before" ]; do
        [ "$EPOCHSECONDS" -ge "$deadline" ] && return 1
        sleep 0.005
    done
    since "$t0"
}

# Presses F2 on the main window and prints the seconds until the board stands still.
new_game_seconds() {
    local before t0 previous current t_prev t_look
    before=$(board_sum)
    xdotool windowfocus "$main" 2>/dev/null
    t0=$EPOCHREALTIME
    xdotool key F2
    local deadline=$((EPOCHSECONDS + 20))
    current=$before
    until [ "$current" != "$before" ]; do
        [ "$EPOCHSECONDS" -ge "$deadline" ] && return 1
        t_prev=$EPOCHREALTIME
        current=$(board_sum)
    done
    previous=$current
    while [ "$EPOCHSECONDS" -lt "$deadline" ]; do
        t_look=$EPOCHREALTIME
        current=$(board_sum)
        if [ "$current" = "$previous" ]; then
            # Still since the previous look at the latest: its start is taken.
            awk -v t0="$t0" -v t="$t_prev" 'BEGIN { printf "%.3f", t - t0 }'
            return 0
        fi
        previous=$current t_prev=$t_look
    done
    return 1
}


for figure in splash board select dealt hwm newgame screen; do : >"$work/$figure"; done
for ((run = 1; run <= runs; run++)); do
    export BRACKENFOLD_HOME="$work/home-$run"
    mkdir -p "$BRACKENFOLD_HOME"
    t0=$EPOCHREALTIME
    "$brackenfold" >"$work/log-$run" 2>&1 &
    pid=$!
    if ! poll 30 splash_window; then
        echo "run $run: no splash within 30 s"
    else
        splash_s=$(since "$t0")
        t1=$EPOCHREALTIME
        click_splash
        board_s=n/a select_s=n/a dealt_s=n/a hwm=n/a newgame_s=n/a screen_s=n/a
        poll 30 board_painted && board_s=$(since "$t1")
        t2=$EPOCHREALTIME
        if poll 30 select_dialog; then
            select_s=$(since "$t1")
            choose_freecell
            t2=$EPOCHREALTIME
            xdotool key Return
        fi
        if poll 30 dealt; then
            dealt_s=$(since "$t2")
            sleep 0.5
            hwm=$(awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status" 2>/dev/null)
            main_window && newgame_s=$(new_game_kept_seconds) || newgame_s=n/a
            sleep 1.5
            main_window && screen_s=$(new_game_seconds) || screen_s=n/a
        fi
        echo "run $run: splash ${splash_s} s, board ${board_s} s, select ${select_s} s, dealt ${dealt_s} s," \
            "hwm ${hwm:-n/a} MB," \
            "new game ${newgame_s} s (screen ${screen_s} s)"
        echo "$splash_s" >>"$work/splash"
        [ "$board_s" != n/a ] && echo "$board_s" >>"$work/board"
        [ "$select_s" != n/a ] && echo "$select_s" >>"$work/select"
        [ "$dealt_s" != n/a ] && echo "$dealt_s" >>"$work/dealt"
        [ -n "$hwm" ] && [ "$hwm" != n/a ] && echo "$hwm" >>"$work/hwm"
        [ "$newgame_s" != n/a ] && echo "$newgame_s" >>"$work/newgame"
        [ "$screen_s" != n/a ] && echo "$screen_s" >>"$work/screen"
    fi
    stop_program "$pid"
    pid=
done
echo "median: splash $(median <"$work/splash") s, board $(median <"$work/board") s," \
    "select $(median <"$work/select") s," \
    "dealt $(median <"$work/dealt") s, hwm $(median <"$work/hwm") MB, new game $(median <"$work/newgame") s" \
    "(screen $(median <"$work/screen") s)"
exit 0
