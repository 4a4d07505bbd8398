#!/usr/bin/env bash
# Plays the game as a person would on a fresh Xvfb server, in a fresh folder, twice: a first
# start and a start again. Then checks the data file with senkaro-data. Then, in a folder of
# its own with a beginner at station 53, the arrival at Kyoto and the next journey. Then, in a
# folder of its own with a beginner at station 4, a practice round of technique 4 with a hint,
# which leaves the player's line as it was and records the round. Last, in a folder of its own
# with a beginner at station 4 (every round there lasts two minutes or more), the rules of
# closing and pausing, with the game's clocks sped up fifteen times by faketime.
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

arrive="$work/arrive"
mkdir "$arrive"
cd "$arrive"
printf '[userdata]\r\nTabibito=0,53,"8,20,52","2026/12/01 10:00:00",0\r\n' >players.txt
"$data" encode players.txt senkaro.ini
run arrive
line=$("$data" show senkaro.ini | grep '^Tabibito=' || true)
echo "userdata line: $line"
if [[ "$line" != "Tabibito=1,0,"* ]]; then
  echo "FAIL - senkaro.ini holds the player at level 1, station 0 after the arrival"
  exit 1
fi
echo "ok - senkaro.ini holds the player at level 1, station 0 after the arrival"

practice="$work/practice"
mkdir "$practice"
cd "$practice"
player='Tabibito=0,4,"8,20,52","2026/12/01 10:00:00",0'
printf '[userdata]\r\n%s\r\n' "$player" >players.txt
"$data" encode players.txt senkaro.ini
run practice
if ! "$data" show senkaro.ini | grep -qxF "$player"; then
  echo "FAIL - practice leaves the player's line as it was"
  "$data" show senkaro.ini
  exit 1
fi
echo "ok - practice leaves the player's line as it was"
if ! "$data" show senkaro.ini | grep -q '^Tabibito=.*,0,4,0,4,hinted,'; then
  echo "FAIL - senkaro.ini records the practice round"
  exit 1
fi
echo "ok - senkaro.ini records the practice round of technique 4, hinted"

rules="$work/rules"
mkdir "$rules"
cd "$rules"
printf '[userdata]\r\nTabibito=0,4,"8,20,52","2026/12/01 10:00:00",0\r\n' >players.txt
"$data" encode players.txt senkaro.ini
E2E_SPEED=15 xvfb-run -a -s '-screen 0 1280x1024x24' faketime -f '+0 x15' "$game" rules | tee rules.log
station=$(sed -n 's/^station \([0-9]*\)$/\1/p' rules.log)
line=$("$data" show senkaro.ini | grep '^Tabibito=' || true)
echo "userdata line: $line"
if [[ "$station" != 2 || "$line" != "Tabibito=0,2,"* ]]; then
  echo "FAIL - senkaro.ini holds the player at station 2 after a time-out and a give-up"
  exit 1
fi
echo "ok - senkaro.ini holds the player at station 2 after a time-out and a give-up"
