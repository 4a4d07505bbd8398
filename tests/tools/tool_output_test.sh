#!/usr/bin/env bash
# The command-line tools and output that does not arrive: every command of senkaro-logic and
# senkaro-data exits with 1 and says so when standard output is /dev/full or closed (a long
# make stops at the first failed write).
#   tool_output_test.sh SENKARO_LOGIC SENKARO_DATA
set -euo pipefail
logic=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

position=205670340000000000000000000100000000000000000080000000006000000007000000008000000
echo "$position" > positions
printf '[userdata]\r\nTabibito=0,5,,"2026/12/08 9:05:07",0\r\n' > players.txt
"$data" encode players.txt senkaro.ini

# Runs "$@" with standard output as given by $1 ("full" or "closed"); checks status and message.
expect_lost() {
  local how=$1 status=0
  shift
  case $how in
    full) timeout 60 "$@" < positions > /dev/full 2> err || status=$? ;;
    closed) timeout 60 "$@" < positions >&- 2> err || status=$? ;;
  esac
  [[ $status -eq 1 ]] || fail "$* with standard output $how exits with $status"
  grep -q ": cannot write standard output" err || fail "$* with standard output $how: no message"
}
for how in full closed; do
  for command in inspect explain examples templates "make 3 --seed 7" "make 6 1000000 --seed 7" \
                 --help --version; do
    # shellcheck disable=SC2086
    expect_lost $how "$logic" $command
  done
  for command in "show senkaro.ini" --help --version; do
    # shellcheck disable=SC2086
    expect_lost $how "$data" $command
  done
done
grep -q "No space left on device" <("$logic" templates 2>&1 > /dev/full) || fail "the reason"

echo "tool output: all checks passed"
