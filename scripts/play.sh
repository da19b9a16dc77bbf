#!/usr/bin/env bash
# Installs what is missing, builds the game folder and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/game/vorak-talmor "$@"
