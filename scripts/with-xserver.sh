#!/bin/sh
# Runs a command on an X server of its own: a new Xvfb on a free display, with a private
# authorization cookie and, with --wm, the openbox window manager; both stop when the
# command ends. The command gets DISPLAY and XAUTHORITY, and QT_QPA_PLATFORM=xcb.
#
#   scripts/with-xserver.sh [--wm] command [arguments...]
set -eu

wm=false
if [ "${1:-}" = "--wm" ]; then
    wm=true
    shift
fi
[ $# -gt 0 ] || { echo "usage: $0 [--wm] command [arguments...]" >&2; exit 2; }

# Waits up to 30 seconds for a condition, asking again every tenth of a second.
wait_for() {
    tries=300
    until "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || return 1
        sleep 0.1
    done
}

dir=$(mktemp -d "${TMPDIR:-/tmp}/xserver.XXXXXX")
xvfb=""
wmpid=""
cleanup() {
    [ -z "$wmpid" ] || kill "$wmpid" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    [ -z "$wmpid" ] || wait "$wmpid" 2>/dev/null || true
    [ -z "$xvfb" ] || wait "$xvfb" 2>/dev/null || true
    rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The server takes the cookies of its own file whatever display they name; the command's
# file names the display the server chose.
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
: >"$dir/server"
: >"$dir/client"
xauth -q -f "$dir/server" add :0 . "$cookie"

# The server picks the first free display itself and writes its number once it is ready.
mkfifo "$dir/display"
Xvfb -displayfd 3 -auth "$dir/server" -nolisten tcp -screen 0 1280x1024x24 3>"$dir/display" \
    >"$dir/Xvfb.log" 2>&1 &
xvfb=$!
read -r number <"$dir/display" || { echo "Xvfb did not start" >&2; cat "$dir/Xvfb.log" >&2; exit 1; }
export DISPLAY=":$number"
export XAUTHORITY="$dir/client"
xauth -q add "$DISPLAY" . "$cookie"

if $wm; then
    openbox --sm-disable >"$dir/openbox.log" 2>&1 &
    wmpid=$!
    # The window manager is in charge once it names its check window on the root.
    if ! wait_for sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'; then
        echo "openbox did not start on $DISPLAY" >&2
        cat "$dir/openbox.log" >&2
        exit 1
    fi
fi

export QT_QPA_PLATFORM=xcb
status=0
"$@" || status=$?
exit $status
