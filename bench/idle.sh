#!/usr/bin/env bash
# shellcheck disable=SC2317 # the polled checks are called through a helper
# What an idle board costs: the real program on a virtual X display (Xvfb), a game
# dealt, no dialog open and nothing moving. A benchmark: it reports and never fails;
# it is not part of CI. Run by hand:
#
#   bench/idle.sh <brackenfold> [runs, default 3] [seconds of CPU, default 30]
#
# Each run starts with a fresh BRACKENFOLD_HOME, deals "Freecell" from the game
# selection, lets the board settle for 3 s, then measures:
#   cpu     CPU time (user + system, from /proc/<pid>/stat) used over the given seconds;
#   wakeups waits that ended, per second over 10 s (strace -f): the poll calls of every
#           thread that could sleep (a timeout other than 0, not waiting to write);
#   stats   stat calls per second over the same 10 s (newfstatat, statx, stat).
# The CPU is read before strace attaches, since tracing slows the traced program.

if [ $# -lt 1 ]; then
    echo "usage: $0 <brackenfold> [runs] [seconds]" >&2
    exit 0
fi

# shellcheck source=support/xvfb.sh
. "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/support/xvfb.sh"
if [ -z "${BENCH_INSIDE_XVFB:-}" ]; then
    in_xvfb "${BASH_SOURCE[0]}" 1366x768x24 strace -- "$(realpath "$1")" "${2:-3}" "${3:-30}"
    exit 0
fi

unset QT_QPA_PLATFORM
brackenfold=$1
runs=$2
seconds=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/brackenfold-idle.XXXXXX")
pid=
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null; fi; rm -rf "$work"' EXIT

# CPU time of the process in milliseconds.
cpu_ms() { awk -v hz="$(getconf CLK_TCK)" '{ sub(/.*\) /, ""); printf "%d", ($12 + $13) * 1000 / hz }' "/proc/$1/stat"; }

: >"$work/cpu"; : >"$work/wakeups"; : >"$work/stats"
for ((run = 1; run <= runs; run++)); do
    export BRACKENFOLD_HOME="$work/home-$run"
    mkdir -p "$BRACKENFOLD_HOME"
    "$brackenfold" >"$work/log-$run" 2>&1 &
    pid=$!
    if ! poll 30 splash_window; then
        echo "run $run: no splash within 30 s; the program said:"
        tail -n 5 "$work/log-$run"
    else
        click_splash
        if poll 30 select_dialog; then
            choose_freecell
            xdotool key Return
        fi
        if poll 30 dealt; then
            # The pointer off the window, then the board is left alone.
            xdotool mousemove 0 0
            sleep 3
            before=$(cpu_ms "$pid")
            sleep "$seconds"
            cpu=$(($(cpu_ms "$pid") - before))
            timeout -s INT 10 strace -f -qq -o "$work/trace-$run" \
                -e trace=poll,ppoll,newfstatat,statx,stat,fstatat64 -p "$pid" 2>/dev/null
            polls=$(grep -E 'p?poll\(' "$work/trace-$run" | grep -v POLLOUT |
                grep -cvE ', 0\)|, 0 <unfinished|\{tv_sec=0, tv_nsec=0\}' | awk '{ printf "%.1f", $1 / 10 }')
            stats=$(grep -cE '(newfstatat|statx|stat|fstatat64)\(' "$work/trace-$run" | awk '{ printf "%.1f", $1 / 10 }')
            echo "run $run: cpu ${cpu} ms in ${seconds} s, wake-ups ${polls}/s, stat calls ${stats}/s"
            echo "$cpu" >>"$work/cpu"
            echo "$polls" >>"$work/wakeups"
            echo "$stats" >>"$work/stats"
        else
            echo "run $run: no game dealt within 30 s"
        fi
    fi
    stop_program "$pid"
    pid=
done
echo "median: cpu $(median <"$work/cpu") ms in ${seconds} s, wake-ups $(median <"$work/wakeups")/s," \
    "stat calls $(median <"$work/stats")/s"
exit 0
