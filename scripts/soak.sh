#!/usr/bin/env bash
# A long run, not part of the suite: whole autoplayed games between four computers on the three
# maps in turn, each with a seed drawn from a stream (printed, so any game replays with
# vorak-autoplay --map M --seed S), in one process. Fails when a game breaks a rule, hangs or
# misses the goal, or when the resident memory after the last game is more than 5 MB above the
# memory after game 10.
#
#   scripts/soak.sh                       1000 games, a random stream
#   scripts/soak.sh --games 200 --seed 4  200 games of stream 4
#   scripts/soak.sh --sanitize            100 games under ASan + UBSan; leaks are the leak
#                                         checker's to find at the end, since the sanitizer's
#                                         quarantine of freed blocks keeps the memory growing
#   scripts/soak.sh --random-humans       200 games of random seats, the human seats played by a
#                                         careless human pressing anything (vorak-autoplay --help)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build
games=1000
seed=$(( (RANDOM << 15) | RANDOM ))
extra=()
build_args=()
memory_bound=yes
while [ $# -gt 0 ]; do
  case "$1" in
    --sanitize) dir=build-asan; games=100; build_args=(--sanitize); memory_bound=no ;;
    --random-humans) games=200; extra+=(--random-humans) ;;
    --games) games=$2; shift ;;
    --seed) seed=$2; shift ;;
    *) echo "usage: scripts/soak.sh [--sanitize] [--random-humans] [--games N] [--seed N]" >&2; exit 2 ;;
  esac
  shift
done
scripts/build.sh "${build_args[@]}" >/dev/null
log=$dir/soak-$seed.log
echo "soak: $games games, seed stream $seed, log $log"
status=0
"$dir/tools/autoplay/vorak-autoplay" --maps 123 --games "$games" --random-seeds --seed "$seed" --summary --memory \
  "${extra[@]}" | tee "$log" || status=$?
rss() { sed -n "s/^resident memory after game $1: \([0-9]*\) kB$/\1/p" "$log"; }
at10=$(rss 10)
last=$(rss "$games")
if [ -n "$at10" ] && [ -n "$last" ]; then
  echo "soak: resident memory $at10 kB after game 10, $last kB after game $games ($(( last - at10 )) kB more)"
  if [ "$memory_bound" = yes ] && [ $(( last - at10 )) -gt 5120 ]; then
    echo "soak: the memory grew by more than 5 MB" >&2
    status=1
  fi
fi
exit "$status"
