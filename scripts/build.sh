#!/usr/bin/env bash
# Installs what is missing, configures (once) and builds the tree in build/ (or $1 with build
# type $2). Later runs build incrementally.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
build_type=${2:-RelWithDebInfo}

scripts/deps.sh
if [[ ! -f "$build_dir/build.ninja" ]]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type"
fi
cmake --build "$build_dir"
