#!/usr/bin/env bash
# Installs what the game needs on Debian 12 to build (tests and benchmarks included) and play;
# with --tests, also what only running the tests needs: the large General MIDI soundfont, which
# the music's level check plays every piece through. Quiet when all is there.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libfreetype-dev libfontconfig-dev libstb-dev libfluidsynth-dev libx11-dev libxtst-dev libxdamage-dev
  timgm6mb-soundfont fonts-ipafont-gothic fonts-ipafont-mincho fonts-mplus
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils x11-apps x11-xserver-utils imagemagick xdotool openbox sox wmctrl
)
if [ "${1:-}" = "--tests" ]; then
  packages+=(fluid-soundfont-gm)
fi
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
