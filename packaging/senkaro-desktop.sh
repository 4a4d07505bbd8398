#!/bin/sh
# Starts the game from the desktop menu. The game keeps senkaro.ini in the folder it is started
# from; started from a menu that would be wherever the desktop happens to stand, so this makes
# the player's own data folder, $XDG_DATA_HOME/senkaro (by default ~/.local/share/senkaro), and
# starts the game there. The game is found from where this program lies, by its resolved path
# (/usr/games/senkaro, not /usr/libexec/senkaro/../../games/senkaro), which is what the process
# list then shows.
set -eu

# Found before moving: the program may have been started by a relative path.
here=$(cd "$(dirname "$0")" && pwd)
game_path="$here/@SENKARO_GAME_FROM_LAUNCHER@"
game="$(cd "$(dirname "$game_path")" && pwd -P)/$(basename "$game_path")"

data_home=${XDG_DATA_HOME:-}
# Only an absolute XDG_DATA_HOME counts; anything else means the default.
case "$data_home" in
  /*) ;;
  *) data_home="${HOME:?HOME is not set}/.local/share" ;;
esac
folder="$data_home/senkaro"
mkdir -p "$folder"
cd "$folder"

exec "$game" "$@"
