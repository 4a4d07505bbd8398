#!/usr/bin/env bash
# The real game and its data file when things go wrong, each in a fresh folder:
#   second game  a game runs; a second one started in the same folder says so and ends; once
#                the first has died (killed, its lock left behind), a new game takes over.
#                Runs on Xvfb, where xdotool presses OK on the message (the message also goes
#                to standard error, which is what is checked).
#   killed at the message  a damaged data file beside a good backup; the game is killed while
#                its "restored from the backup" message is up; the next start finds the players
#                and says nothing. Runs on Xvfb too.
#   full disk    on a small tmpfs filled to the last byte, the game starts with a damaged data
#                file, cannot write the restored one, says so naming the folder, and the data
#                file and its backup stay as they were. Needs root (mount).
# A part whose tools are missing is skipped; when both are, the test is skipped (exit 77).
#   run_storage_e2e.sh SENKARO SENKARO_DATA
set -euo pipefail
game=$1
data=$2
work=$(mktemp -d)
mounted=""
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2> /dev/null || true; done
  [[ -n "$mounted" ]] && umount "$mounted"
  rm -rf "$work"
}
trap cleanup EXIT
failed=0
ran=0
check() {
  if eval "$2"; then echo "ok - $1"; else echo "FAIL - $1"; failed=1; fi
}
# Waits up to $2 tenths of a second for the command $1 to succeed.
wait_for() {
  for ((i = 0; i < $2; ++i)); do
    eval "$1" && return 0
    sleep 0.1
  done
  return 1
}
running() { kill -0 "$1" 2> /dev/null; }
# Starts the game in the background, its standard error to $1 and the environment changed by
# the assignments after it; its process ID in $started.
start_game() {
  env "${@:2}" "$game" 2> "$1" &
  started=$!
  pids+=("$started")
}

second_game() {
  cd "$work/second"
  start_game first.err
  local first=$started
  check "the first game takes the lock" "wait_for '[[ -s senkaro.ini.lock ]]' 100"

  start_game second.err
  local second=$started
  check "the second game says that a game is running" \
    "wait_for 'grep -q \"The game is already running in this folder\" second.err' 100"
  grep -q "このフォルダーではもうゲームが動いています" second.err || check "in Japanese too" false
  local box
  box=$(xdotool search --sync --onlyvisible --pid "$second" | head -1)
  xdotool windowfocus --sync "$box"
  xdotool key Return
  check "the second game ends after OK" "wait_for '! running $second' 100"
  local status=0
  wait "$second" || status=$?
  check "the second game exits with 1 (got $status)" "[[ $status -eq 1 ]]"
  check "the first game plays on" "running $first"

  kill -KILL "$first"
  wait "$first" || true
  check "a killed game leaves its lock" "[[ -e senkaro.ini.lock ]]"
  start_game third.err
  local third=$started
  check "a new game takes the dead game's lock over" \
    "wait_for '[[ \$(head -1 senkaro.ini.lock) == $third ]]' 100"
  sleep 1
  check "and starts without the message" \
    "running $third && ! grep -q 'already running' third.err"
  kill -KILL "$third"
  wait "$third" || true
}

killed_at_message() {
  cd "$work/killed"
  printf '[userdata]\r\nTabibito=0,5,,"2026/12/08 9:05:07",0\r\nHanako=1,9,,"2026/12/08 9:05:07",3\r\n' \
    > "$work/players.txt"
  "$data" encode "$work/players.txt" senkaro.ini.bak
  cp senkaro.ini.bak senkaro.ini
  truncate -s -2 senkaro.ini  # no longer the length it records

  start_game first.err
  local first=$started
  check "the game says the players came back from the backup" \
    "wait_for 'grep -q \"restored from the backup\" first.err' 100"
  xdotool search --sync --onlyvisible --pid "$first" > /dev/null
  kill -KILL "$first"
  wait "$first" || true
  check "the killed game leaves the restored data file" \
    "'$data' show senkaro.ini | grep -q '^Hanako=1,9,'"
  check "and the damaged one beside it" "[[ -s senkaro.ini.damaged ]]"

  start_game second.err
  local second=$started
  xdotool search --sync --onlyvisible --pid "$second" > /dev/null
  sleep 1
  check "the next start reads the file without a message" \
    "running $second && ! grep -q 'could not be read' second.err"
  kill -KILL "$second"
  wait "$second" || true
  check "and the players are still there" \
    "[[ \$('$data' show senkaro.ini | grep -c -e '^Tabibito=0,5,' -e '^Hanako=1,9,') -eq 2 ]]"
}

full_disk() {
  local folder=$work/full
  mount -t tmpfs -o size=256k tmpfs "$folder"
  mounted=$folder
  cd "$folder"
  printf '[userdata]\r\nTabibito=0,5,,"2026/12/08 9:05:07",0\r\n' > "$work/players.txt"
  "$data" encode "$work/players.txt" senkaro.ini.bak
  cp senkaro.ini.bak senkaro.ini
  truncate -s -2 senkaro.ini  # damaged: the start must write the restored file
  cp senkaro.ini "$work/before.ini"
  cp senkaro.ini.bak "$work/before.bak"
  dd if=/dev/zero of=filler bs=4096 2> /dev/null || true
  dd if=/dev/zero of=filler2 bs=1 2> /dev/null || true

  start_game "$work/game.err" QT_QPA_PLATFORM=offscreen  # the messages not on the full disk
  local pid=$started
  check "the game says it cannot save, naming the folder and the full disk" \
    "wait_for 'grep -q \"in the folder $folder .*The disk is full\" \"$work/game.err\"' 150"
  kill -KILL "$pid"
  wait "$pid" || true
  check "the data file is as it was" "cmp -s senkaro.ini '$work/before.ini'"
  check "so is its backup" "cmp -s senkaro.ini.bak '$work/before.bak'"
  check "no half-written file is left" "! ls | grep -q save-"
  check "the player is still in the backup" \
    "[[ \$('$data' show senkaro.ini.bak | grep '^Tabibito=') == 'Tabibito=0,5,'* ]]"
  cd "$work"
  umount "$folder"
  mounted=""
}

if [[ "${1:-}" == --second-game ]]; then  # inside xvfb-run
  game=$2
  data=$3
  mkdir -p "$work/second" "$work/killed"
  second_game
  killed_at_message
  exit $failed
fi

export QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORM_PLUGIN_PATH
if command -v xvfb-run > /dev/null && command -v xdotool > /dev/null; then
  ran=1
  xvfb-run -a -s '-screen 0 1280x1024x24' "$0" --second-game "$game" "$data" || failed=1
else
  echo "skip - second game, killed at the message: xvfb-run or xdotool missing"
fi

mkdir -p "$work/full"
if [[ $(id -u) -eq 0 ]] && mount -t tmpfs -o size=64k tmpfs "$work/full" 2> /dev/null; then
  umount "$work/full"
  ran=1
  full_disk
else
  echo "skip - full disk: no tmpfs can be mounted here"
fi

[[ $ran -eq 1 ]] || exit 77
exit $failed
