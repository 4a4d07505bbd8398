#!/usr/bin/env bash
# Plays the game as a person would on a fresh Xvfb server, in a fresh folder, twice: a first
# start and a start again. Then checks the data file with senkaro-data.
#   run_e2e.sh E2E_GAME SENKARO_DATA
set -euo pipefail
game=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORM_PLUGIN_PATH

run() {
  xvfb-run -a -s '-screen 0 1280x1024x24' /usr/bin/time -f 'peak resident memory %M kB' "$game" "$1"
}

run first
run again | tee again.log
station=$(sed -n 's/^station \([0-9]*\)$/\1/p' again.log)
line=$("$data" show senkaro.ini | grep '^Tabibito=' || true)
echo "userdata line: $line"
if [[ "$line" != "Tabibito=0,$station,"* ]]; then
  echo "FAIL - senkaro.ini holds the player at station $station"
  exit 1
fi
echo "ok - senkaro.ini holds the player at station $station"
