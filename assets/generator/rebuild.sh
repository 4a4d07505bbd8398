#!/usr/bin/env bash
# Rebuilds every asset from the generator: installs what the generator needs (Debian's Pillow
# and NumPy for Debian's own Python, and the two Japanese fonts), then runs it with
# /usr/bin/python3. Building the game itself needs none of this: the results are committed.
set -euo pipefail
cd "$(dirname "$0")/../.."

packages=(python3 python3-pil python3-numpy fonts-kouzan-mouhitsu fonts-ipafont-gothic)
missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
if ((${#missing[@]} > 0)); then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  echo "Installing the generator's packages: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi

PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 assets/generator/make_assets.py
