#!/usr/bin/env bash
# Runs a command on a virtual X display with a window manager, so windows get real frames.
#   under_window_manager.sh COMMAND [ARGS...]
# Exits 77 (skipped) when Xvfb or openbox is not installed.
set -uo pipefail
if ! command -v Xvfb >/dev/null || ! command -v openbox >/dev/null; then
    echo "Xvfb and openbox are needed for this test" >&2
    exit 77
fi
work="$(mktemp -d)"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$work/display")"
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
openbox=$!
# The window manager is ready once it has claimed the screen.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
done
# Under the leak checker: the xcb platform opens D-Bus, whose library keeps a buffer to the end.
printf 'leak:libdbus-1.so\n' >"$work/leaks.supp"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$work/leaks.supp"
QT_QPA_PLATFORM=xcb "$@"
status=$?
kill "$openbox" "$xvfb" 2>/dev/null
wait "$openbox" "$xvfb" 2>/dev/null
rm -rf "$work"
exit "$status"
