#!/usr/bin/env bash
# The game's own sounds and music played through the real SDL output into SDL's disk driver,
# then measured with sox: they must be audible, unclipped and as long as they play.
set -euo pipefail
build=$1
wav="$build/game/Vorak-Wav"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out/out.raw" \
  "$build/tools/audio/vorak-audio" play 2 "$wav/QV-Click.wav" "$wav/QV-Hit05.wav" "$wav/QV-LVUP.wav" \
  "$wav/Md-Opening.mid" >"$out/said" 2>"$out/err"
rate=$(sed -n 's/^output: .* at \([0-9]*\) Hz$/\1/p' "$out/said")
stats=$(sox -t raw -r "$rate" -e signed -b 16 -c 2 "$out/out.raw" -n stats 2>&1)
peak=$(awk '/^Pk lev dB/ {print $4}' <<<"$stats")
length=$(awk '/^Length s/ {print $3}' <<<"$stats")
echo "peak ${peak} dBFS, ${length} s"
# Effects are made to peak at -1 dBFS; the primary volume takes 4.5 dB off.
awk -v p="$peak" -v l="$length" 'BEGIN { exit !(p > -12 && p < -0.5 && l >= 3.0) }'
