# shellcheck shell=bash
# What the benchmark scripts share: running themselves again under a virtual X display,
# polling for a window, and the median of a column of figures. Sourced, never run.

# Runs the calling script again inside xvfb-run at the given screen size, with the same
# arguments, unless it runs there already; returns false when a tool is missing.
# Usage: in_xvfb <script> <screen WxHxD> <tools...> -- <args...>
in_xvfb() {
    local script=$1 screen=$2
    shift 2
    local tools=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do tools+=("$1"); shift; done
    shift
    for tool in xvfb-run xauth xdotool "${tools[@]}"; do
        if ! command -v "$tool" >/dev/null; then
            echo "$(basename "$script"): $tool is not installed; nothing measured" >&2
            return 1
        fi
    done
    unset QT_QPA_PLATFORM
    export BENCH_INSIDE_XVFB=1
    xvfb-run -a -s "-screen 0 $screen" bash "$(realpath "$script")" "$@"
}

# Polls the command every 20 ms; false after the seconds have passed.
poll() {
    local seconds=$1
    shift
    local deadline=$((EPOCHSECONDS + seconds))
    until "$@"; do
        [ "$EPOCHSECONDS" -ge "$deadline" ] && return 1
        sleep 0.02
    done
}

splash_window() { splash=$(xdotool search --onlyvisible --class brackenfold 2>/dev/null | head -1) && [ -n "$splash" ]; }
select_dialog() { dialog=$(xdotool search --onlyvisible --name '^Select a Game$' 2>/dev/null | head -1) && [ -n "$dialog" ]; }
dealt() { xdotool search --onlyvisible --name '\[Freecell - ' >/dev/null 2>&1; }

# Clicks the middle of the splash window, which dismisses it.
click_splash() {
    eval "$(xdotool getwindowgeometry --shell "$splash" 2>/dev/null | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
}

# Types "Freecell" into the game selection and presses Play (Return).
choose_freecell() {
    sleep 0.3
    xdotool windowfocus "$dialog" 2>/dev/null
    xdotool type --delay 30 Freecell
    sleep 0.2
}

# Asks the program to close, then kills it if it has not within 5 s.
stop_program() {
    kill -TERM "$1" 2>/dev/null
    for ((i = 0; i < 100; i++)); do kill -0 "$1" 2>/dev/null || break; sleep 0.05; done
    kill -KILL "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "n/a"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
