#!/usr/bin/env bash
# The senkaro-data tool: encode and decode round trip, show, and a container that fails.
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

head -c 40 coded > cut
status=0
"$tool" decode cut out 2> err || status=$?
[[ $status -eq 2 ]] || fail "a damaged container exits with $status"
grep -q "記録データのサイズが違います" err || fail "no stage message"
[[ ! -e out ]] || fail "a failed decode wrote its output"

status=0
"$tool" show missing.ini 2> err || status=$?
[[ $status -ne 0 ]] && grep -q missing.ini err || fail "a missing file"
status=0
"$tool" frobnicate 2> err || status=$?
[[ $status -ne 0 ]] && grep -q "unknown command" err || fail "an unknown command"
"$tool" --help | grep -q "encode IN OUT" || fail "help"
echo "senkaro-data: all checks passed"
