#!/usr/bin/env bash
# The senkaro-data tool: encode and decode round trip, show, a text cut by a NUL, a container
# that fails, the check of the text, and a FIFO that must not make it wait.
set -euo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

head -c 5000 /dev/urandom > plain
"$tool" encode plain coded
"$tool" decode coded back
cmp plain back || fail "round trip changed the bytes"

# A data file: CP932 text with CR LF, shown as UTF-8 lines.
printf '[userdata]\r\n\x8e\x52\x93\x63=0,12\r\n' > text
"$tool" encode text senkaro.ini
[[ "$("$tool" show senkaro.ini)" == $'[userdata]\n山田=0,12' ]] || fail "show"

# A NUL byte with text after it: the lines before it are shown, and where the text stops is
# told, with the status of a damaged file. NULs that only pad the end are no damage.
printf '[userdata]\r\n\x8e\x52=1\r\nab\0cd\r\n' > nul
"$tool" encode nul nul.ini
status=0
"$tool" show nul.ini > shown 2> err || status=$?
[[ $status -eq 2 ]] || fail "a NUL inside the text exits with $status"
[[ "$(cat shown)" == $'[userdata]\n山=1\nab' ]] || fail "show before a NUL: $(cat shown)"
grep -q "offset 20 (line 3)" err || fail "no place of the NUL: $(cat err)"
printf '[userdata]\r\n\0\0' > padded
"$tool" encode padded padded.ini
"$tool" show padded.ini > /dev/null 2> err || fail "NULs at the end: $(cat err)"

head -c 40 coded > cut
status=0
"$tool" decode cut out 2> err || status=$?
[[ $status -eq 2 ]] || fail "a damaged container exits with $status"
grep -q "記録データのサイズが違います" err || fail "no stage message"
[[ ! -e out ]] || fail "a failed decode wrote its output"

# One byte of the rank table changed: another text of the same length, refused by the check.
# The same file as an earlier writer made it (no check, nothing in the reserved bytes) still
# decodes; zeroing only the check and its flag does not switch the check off.
byte() { dd if="$1" bs=1 skip="$2" count=1 2>/dev/null | od -An -tx1 | tr -d ' \n'; }
put() { printf "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc 2>/dev/null; }
cp senkaro.ini swapped.ini
put swapped.ini 32 "\x$(byte senkaro.ini 33)\x$(byte senkaro.ini 32)"
cp swapped.ini zeroed.ini
put zeroed.ini 12 '\0\0\0\0'
put zeroed.ini 23 '\0'
cp zeroed.ini unchecked.ini
put unchecked.ini 24 '\0\0\0\0\0\0\0\0'
for command in "show swapped.ini" "decode swapped.ini out" "show zeroed.ini"; do
  status=0
  $tool $command 2> err > /dev/null || status=$?
  [[ $status -eq 2 ]] || fail "$command: a file failing its check exits with $status"
  grep -q "データの検査値が合いません" err || fail "$command: no check message"
done
"$tool" decode unchecked.ini out || fail "a file without a check"
[[ -s out ]] && rm out

mkfifo fifo.ini
for command in "show fifo.ini" "decode fifo.ini out"; do
  status=0
  timeout 10 $tool $command 2> err || status=$?
  [[ $status -eq 1 ]] || fail "$command: a FIFO exits with $status"
  grep -q "not a regular file" err || fail "$command: no message for a FIFO"
done

status=0
"$tool" show missing.ini 2> err || status=$?
[[ $status -ne 0 ]] && grep -q missing.ini err || fail "a missing file"
status=0
"$tool" frobnicate 2> err || status=$?
[[ $status -ne 0 ]] && grep -q "unknown command" err || fail "an unknown command"
"$tool" --help | grep -q "encode IN OUT" || fail "help"
"$tool" --version | grep -Eqx "senkaro-data [0-9]+\.[0-9]+\.[0-9]+" || fail "version"
echo "senkaro-data: all checks passed"
