#!/usr/bin/env bash
# Runs the README's main command as a person at a Linux desktop would and
# checks that it can be ended the ordinary way: starts an X server (Xvfb)
# with a window manager (Openbox), runs `bash scripts/zorvane-demo.sh`, waits
# for zorvane's frame window to be managed, asks the frame to close through
# the window manager (_NET_CLOSE_WINDOW, which Openbox turns into the
# WM_DELETE_WINDOW message its close button sends) and checks that the
# program then ends with status 0 within CLOSE_SECONDS. It never kills the
# program to end it; a program that does not end is a failure.
#
# Part of CI (scripts/ci-fresh-debian.sh runs it in the fresh root after the
# tests); runnable by hand as root from the top of a clone. The server takes
# the first free display number unless XVFB_DISPLAY names one (":14").
# Openbox, wmctrl and xdotool stand in for the user's desktop and are
# installed here when missing; the project itself does not need them.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
start_seconds=${START_SECONDS:-600} # the demo builds what is missing first
close_seconds=${CLOSE_SECONDS:-30}
title="Brevmark Hesk Template Demo by Korrin"
work=$(mktemp -d /tmp/desktop-check.XXXXXX)

say() { echo "desktop-check: $*"; }

desktop=(xvfb xauth openbox wmctrl xdotool)
missing=()
for p in "${desktop[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  say "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

pids=()
demo_pid=
finish() {
  local status=$?
  # Whatever is still running was started here: the demo only when the check
  # already failed, the window manager and the server always.
  [[ -n "$demo_pid" ]] && kill "$demo_pid" 2>/dev/null
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if ((status != 0)); then
    for log in "$work"/*.log; do
      [[ -s "$log" ]] || continue
      echo "--- $(basename "$log")"
      tail -n 40 "$log"
    done
  fi
  rm -rf "$work"
  exit "$status"
}
trap finish EXIT

# The X server writes the display number it took to the file descriptor.
if [[ -n "${XVFB_DISPLAY:-}" ]]; then
  Xvfb "$XVFB_DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  display=$XVFB_DISPLAY
else
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
  display=":$(head -n 1 "$work/display")"
fi
export DISPLAY=$display
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null || { say "the X server did not start"; exit 1; }

openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
wmctrl -m >/dev/null 2>&1 || { say "the window manager did not start"; exit 1; }
say "X server on $DISPLAY with Openbox"

bash scripts/zorvane-demo.sh >"$work/zorvane-demo.log" 2>&1 </dev/null &
demo_pid=$!

# The frame is there once the window manager manages a window of its title.
frame=
deadline=$((SECONDS + start_seconds))
while ((SECONDS < deadline)); do
  # wmctrl lists the managed windows and then asks each for its title; a
  # window that closes in between (zorvane's notice does, soon after it
  # opens) makes that one listing fail with BadWindow. The next poll retries.
  frame=$({ wmctrl -l 2>/dev/null || true; } | awk -v t="$title" '{ id = $1; $1 = $2 = $3 = ""; sub(/^ +/, ""); if ($0 == t) print id }' | head -n 1)
  [[ -n "$frame" ]] && break
  kill -0 "$demo_pid" 2>/dev/null || { wait "$demo_pid" && status=0 || status=$?; say "zorvane-demo ended with $status before its frame appeared"; demo_pid=; exit 1; }
  sleep 0.5
done
[[ -n "$frame" ]] || { say "no window \"$title\" within ${start_seconds}s"; exit 1; }
say "frame window $frame \"$title\" appeared"

# Give the program a moment to settle in its event loop, as a person would
# look at the frame before closing it.
sleep 2
kill -0 "$demo_pid" 2>/dev/null || { say "zorvane ended before it was asked to close"; exit 1; }
wmctrl -i -c "$frame"
say "asked the frame to close"

deadline=$((SECONDS + close_seconds))
while kill -0 "$demo_pid" 2>/dev/null && ((SECONDS < deadline)); do sleep 0.2; done
if kill -0 "$demo_pid" 2>/dev/null; then
  say "zorvane did not end within ${close_seconds}s of the close request"
  exit 1
fi
status=0
wait "$demo_pid" || status=$?
demo_pid=
if ((status != 0)); then
  say "zorvane ended with status $status"
  exit 1
fi
say "zorvane ended with status 0 after the close request"
