#!/usr/bin/env bash
# The desktop launcher, laid out as an install lays it out, with a stand-in game that records
# where it was started: the data folder is made and is the game's working folder, for an
# absolute XDG_DATA_HOME, for none, and for a relative one (which does not count), and with the
# launcher started by a relative path. The game is started by its resolved path, which is what
# the process list shows.
set -euo pipefail
launcher=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

prefix=$work/prefix
mkdir -p "$prefix/libexec/senkaro" "$prefix/games"
cp "$launcher" "$prefix/libexec/senkaro/senkaro-desktop"
chmod +x "$prefix/libexec/senkaro/senkaro-desktop"
cat > "$prefix/games/senkaro" <<'GAME'
#!/bin/sh
pwd > "$RECORD"
echo "$0" > "$RECORD.name"
GAME
chmod +x "$prefix/games/senkaro"

failures=0
check() {  # name, XDG_DATA_HOME ("-" for unset), expected folder
  local name=$1 xdg=$2 expected=$3 home=$work/home-$1
  mkdir -p "$home"
  export RECORD=$work/record-$name
  if [[ $xdg == - ]]; then
    env -u XDG_DATA_HOME HOME="$home" "$prefix/libexec/senkaro/senkaro-desktop"
  else
    # From the work folder, by a relative path.
    (cd "$work" && XDG_DATA_HOME=$xdg HOME="$home" prefix/libexec/senkaro/senkaro-desktop)
  fi
  expected=${expected//HOME/$home}
  if [[ ! -d $expected ]] || [[ $(cat "$RECORD") != "$(cd "$expected" && pwd)" ]]; then
    echo "FAIL $name: the game ran in $(cat "$RECORD" 2>/dev/null), expected $expected"
    failures=$((failures + 1))
  fi
  local started
  started=$(cat "$RECORD.name")
  if [[ $started != "$(cd "$prefix/games" && pwd -P)/senkaro" ]]; then
    echo "FAIL $name: the game was started as $started"
    failures=$((failures + 1))
  fi
}

check absolute "$work/data" "$work/data/senkaro"
check unset - "HOME/.local/share/senkaro"
check relative "data" "HOME/.local/share/senkaro"
check nested "$work/deep/er/data" "$work/deep/er/data/senkaro"

exit $((failures > 0))
