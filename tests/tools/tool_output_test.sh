#!/usr/bin/env bash
# The command-line tools and output that does not arrive: every command of senkaro-logic and
# senkaro-data exits with 1 and says so when standard output is /dev/full or closed (a long
# make stops at the first failed write); senkaro-data refuses a FIFO as output and an input too
# large for a container before reading it, and on a full disk (a small tmpfs, when one can be
# mounted) leaves the file it was to replace as it was.
#   tool_output_test.sh SENKARO_LOGIC SENKARO_DATA
set -euo pipefail
logic=$1
data=$2
work=$(mktemp -d)
mounted=""
cleanup() {
  [[ -n "$mounted" ]] && umount "$mounted"
  rm -rf "$work"
}
trap cleanup EXIT
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
                 "practice 4 --seed 7" "practice 4 1000000 --seed 7" \
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

mkfifo out.fifo
status=0
timeout 10 "$data" decode senkaro.ini out.fifo 2> err || status=$?
[[ $status -eq 1 ]] || fail "a FIFO as output exits with $status"
grep -q "cannot write out.fifo: not a regular file" err || fail "no message for a FIFO as output"
[[ -p out.fifo ]] || fail "the FIFO was replaced"

# A sparse file one byte beyond the container's 32-bit length, refused before it is read: the
# memory limit makes reading it fail otherwise.
truncate -s 4294967296 big
status=0
(ulimit -v 1000000; "$data" encode big big.ini 2> err) || status=$?
[[ $status -eq 1 ]] || fail "an input too large exits with $status"
grep -q "cannot read big: too large for a container, which holds at most 4294967295 bytes" err ||
  fail "an input too large: $(cat err)"
[[ ! -e big.ini ]] || fail "an input too large left an output"
rm big

mkdir full
if [[ $(id -u) -eq 0 ]] && mount -t tmpfs -o size=256k tmpfs full 2> /dev/null; then
  mounted=$work/full
  cp senkaro.ini full/senkaro.ini
  head -c 200000 /dev/urandom > noise
  dd if=/dev/zero of=full/filler bs=4096 2> /dev/null || true
  dd if=/dev/zero of=full/filler2 bs=1 2> /dev/null || true
  for command in "encode noise" "decode senkaro.ini"; do
    status=0
    # shellcheck disable=SC2086
    "$data" $command full/senkaro.ini 2> err || status=$?
    [[ $status -eq 1 ]] || fail "$command onto a full disk exits with $status"
    grep -q "cannot write full/senkaro.ini: No space left on device" err ||
      fail "$command onto a full disk: $(cat err)"
    cmp -s senkaro.ini full/senkaro.ini || fail "$command destroyed the file on a full disk"
    ! ls full | grep -q save- || fail "$command left a half-written file"
  done
  umount full
  mounted=""
else
  echo "skip - full disk: no tmpfs can be mounted here"
fi
echo "tool output: all checks passed"
