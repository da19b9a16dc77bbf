#!/usr/bin/env bash
# Installs what the game needs to build, run and test on Debian 12. Quiet when all is there.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libfreetype-dev libfontconfig-dev libstb-dev libfluidsynth-dev
  timgm6mb-soundfont fonts-ipafont-gothic fonts-ipafont-mincho fonts-mplus
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils x11-apps imagemagick xdotool openbox sox
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
