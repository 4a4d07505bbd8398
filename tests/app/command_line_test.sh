#!/usr/bin/env bash
# The game's command line, with no display at all: --help and --version print and end the
# program (a window would need the display and abort), an unknown option or an argument is a
# usage error with status 2.
set -uo pipefail
game=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$game" "$@"; }

out=$(run --version) || fail "--version ended with $?"
[[ $out =~ ^senkaro\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed: $out"
out=$(run -v) || fail "-v ended with $?"
[[ $out == senkaro\ * ]] || fail "-v printed: $out"

out=$(run --help) || fail "--help ended with $?"
[[ $out == *"Usage: senkaro [options]"* ]] || fail "--help printed no usage: $out"
[[ $out == *--version* && $out == *senkaro.ini* ]] || fail "--help lacks its options: $out"

for wrong in --fullscreen extra; do
  err=$(run "$wrong" 2>&1 >/dev/null)
  status=$?
  [[ $status == 2 ]] || fail "$wrong ended with $status, not 2"
  [[ $err == senkaro:* && $err == *Usage:* ]] || fail "$wrong printed: $err"
done
exit $((failures > 0))
