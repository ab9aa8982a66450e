#!/bin/sh
# Runs a command on a display of its own, under a reparenting window manager:
# Xvfb on the first free display number, openbox on it, both ended when the
# command ends. Exits 77 (a skip) when Xvfb or openbox is not installed.
#   with_window_manager.sh WIDTHxHEIGHT command [arguments...]
set -u

size=$1
shift
for tool in Xvfb openbox; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed: skipped"
        exit 77
    fi
done

work=$(mktemp -d)
server=
manager=
finish() {
    [ -n "$manager" ] && kill "$manager" 2>/dev/null
    [ -n "$server" ] && kill "$server" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 1' INT TERM

# wait_for NAME PID LOG TEST...: waits up to thirty seconds for TEST to hold,
# giving up with NAME's log when its process has gone.
wait_for() {
    local name=$1 pid=$2 log=$3 tries=0
    shift 3
    until "$@"; do
        tries=$((tries + 1))
        if [ "$tries" -gt 300 ] || ! kill -0 "$pid" 2>/dev/null; then
            echo "$name did not start:" >&2
            cat "$log" >&2
            exit 1
        fi
        sleep 0.1
    done
}

# Xvfb picks a free display number itself and writes it to the descriptor.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
wait_for Xvfb "$server" "$work/xvfb.log" test -s "$work/display"
DISPLAY=:$(cat "$work/display")
export DISPLAY

# openbox runs its startup command once it manages the screen.
openbox --config-file /dev/null --startup "touch $work/managed" >"$work/openbox.log" 2>&1 &
manager=$!
wait_for openbox "$manager" "$work/openbox.log" test -e "$work/managed"

"$@"
