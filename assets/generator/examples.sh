#!/usr/bin/env bash
# Writes the help page's worked explanations from the game's own code: the sentences of every
# technique's worked example (senkaro-logic examples) and a picture of each, drawn by the board's
# explanation (senkaro-board-demo --example), into assets/src/examples. Needs the build tree in
# build/ (or $1); run assets/generator/rebuild.sh afterwards to write them into the help page.
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${1:-build}
cmake --build "$build_dir" --target senkaro-logic senkaro-board-demo
out=assets/src/examples
mkdir -p "$out"
"$build_dir/bin/senkaro-logic" examples > "$out/examples.jsonl"
for technique in 1 2 3 4 5 6 7 8 9; do
  # The grid only, without the piece stacks.
  QT_QPA_PLATFORM=offscreen "$build_dir/bin/senkaro-board-demo" --example "$technique" \
    --screenshot "$out/board.png" 2>/dev/null
  convert "$out/board.png" -crop 476x476+100+0 +repage -strip "$out/technique-$technique.png"
done
rm -f "$out/board.png"
echo "worked explanations written to $out"
