#!/usr/bin/env bash
# The real game as a screen reader reads it: on Xvfb, inside a session bus of its own with the
# accessibility bus started, the game runs with Qt's accessibility on, and a11y_reader.py reads
# its tree with pyatspi and hears its events while pressing real keys and resting the pointer
# over the board: the player menu's items, the cursor's cell, the pen over the board, the
# countdown's text and value, a piece's marks in the cells' names, the named control that has
# the focus after a judged move, and each explanation step as it is shown.
# Skipped (exit 77) when the accessibility packages or the X tools are missing.
#   run_a11y_e2e.sh SENKARO SENKARO_DATA
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
launcher=""
for dir in /usr/libexec /usr/lib/at-spi2-core /usr/lib/x86_64-linux-gnu/at-spi2-core; do
  [[ -x "$dir/at-spi-bus-launcher" ]] && launcher="$dir/at-spi-bus-launcher" && break
done

if [[ "${1:-}" == "--inside" ]]; then
  game=$2
  data=$3
  work=$(mktemp -d)
  pids=()
  trap 'for p in "${pids[@]}"; do kill "$p" 2> /dev/null || true; done; rm -rf "$work"' EXIT
  cd "$work"
  mkdir -m 0700 runtime
  export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
  unset QT_QPA_PLATFORM_PLUGIN_PATH
  # A beginner at station 4: every round there lasts two minutes or more.
  printf '[userdata]\r\nTabibito=0,4,"8,20,52","2026/12/01 10:00:00",0\r\n' > players.txt
  "$data" encode players.txt senkaro.ini
  "$launcher" --launch-immediately 2> launcher.err &
  pids+=($!)
  # A window manager, so the focus comes back to the game when a box closes.
  if command -v openbox > /dev/null; then
    openbox > /dev/null 2>&1 &
    pids+=($!)
  fi
  sleep 1
  QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$game" 2> game.err &
  game_pid=$!
  pids+=("$game_pid")
  status=0
  timeout 120 /usr/bin/python3 "$here/a11y_reader.py" "$game_pid" || status=$?
  [[ $status -eq 0 ]] || { echo "the game said:"; cat game.err; }
  exit "$status"
fi

if [[ -z "$launcher" ]] || ! /usr/bin/python3 -c 'import pyatspi' 2> /dev/null ||
  ! command -v dbus-run-session > /dev/null || ! command -v xvfb-run > /dev/null ||
  ! command -v xdotool > /dev/null; then
  echo "skipped: at-spi2-core, python3-pyatspi, dbus, xvfb or xdotool missing"
  exit 77
fi
exec xvfb-run -a -s '-screen 0 1280x1024x24' dbus-run-session -- "$0" --inside "$(realpath "$1")" \
  "$(realpath "$2")"
