#!/usr/bin/env bash
# The real program under its own Xvfb (openbox as window manager) playing games of four computer
# seats at the fastest speeds, measured from outside: the pictures it puts on its window per
# second and the processor time it takes while it plays, and how fast it answers a click on
# "戻る": the milliseconds from the click to the title being drawn (goal: under 50). Each round
# starts a game with "開始", lets it play for one of PLAY's lengths, then clicks "戻る".
#
#   bench/game_window.sh [BUILD_FOLDER]
#
# PLAY (seconds of play before each click, "2 5 10 20 40 80") can be set in the environment;
# WHOLE=1 adds a last round that plays one game to its end (which takes many minutes) and
# measures it. Ends only the processes it started.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
probe="$build/bench/window-probe"
[ -x "$probe" ] || { echo "missing $probe (scripts/build.sh builds it)"; exit 1; }
source "$root/tests/support/game_window.sh"
copy_game "$build"

mkdir -p "$work/game/Vorak-Dat"
printf '[PLAYER]\r\n0=2\r\n1=2\r\n2=2\r\n3=2\r\n[SPEED]\r\nMSG=0.01\r\nATK=0.01\r\nETC=0.01\r\n[MAP]\r\nNOW=1\r\n' \
  >"$work/game/Vorak-Dat/Vorak.Vrk"

start_x
start_game
hz=$(getconf CLK_TCK)
ticks() { awk '{ print $14 + $15 }' "/proc/$gpid/stat"; }
# The title shows each seat's kind where a game shows the first seat's panel.
seat_x=$((16 + 88 + 50)) seat_y=$((24 + 384 + 71 + 50))
title_face=$(asset PicBtn.png 350 450)
start_x_=$((800 - 3 - 55 * 8 + 27)) back_x=$((800 - 3 - 55 * 4 + 55 * 3 + 27)) bar_y=12
at_title() { [ "$(shot; px "$work/shot.png" $((wx + seat_x)) $((wy + seat_y)))" = "$title_face" ]; }
await_title() {
  for _ in $(seq "${1:-150}"); do
    at_title && return 0
    sleep 0.2
  done
  return 1
}
await_title || { echo "the title never showed"; exit 1; }

echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg); game: $build/game"
played=0 cpu=0 frames=0 fail=0 answers=""
# Plays SECONDS of a game in slices of at most 10 s, counting pictures and processor time.
play() {
  local left=$1 slice n t0 t1
  while [ "$left" -gt 0 ]; do
    slice=$((left < 10 ? left : 10))
    t0=$(ticks)
    n=$("$probe" frames "$wid" "$slice")
    t1=$(ticks)
    frames=$((frames + n)) cpu=$((cpu + t1 - t0)) played=$((played + slice)) left=$((left - slice))
  done
}
for seconds in ${PLAY:-2 5 10 20 40 80}; do
  xdotool mousemove $((wx + start_x_)) $((wy + bar_y)) click 1
  xdotool mousemove $((wx + 400)) $((wy + 200))
  sleep 0.5
  at_title && { echo "the game did not start"; fail=1; continue; }
  play "$seconds"
  ms=$("$probe" click $((wx + back_x)) $((wy + bar_y)) $((wx + seat_x)) $((wy + seat_y)) "$title_face")
  xdotool mousemove $((wx + 400)) $((wy + 200))
  echo "after ${seconds} s of play: 戻る answered, title drawn in ${ms} ms"
  awk -v m="$ms" 'BEGIN { exit !(m < 0 || m >= 50) }' && fail=1
  answers="$answers $ms"
  await_title 50 || { echo "the title did not come back"; exit 1; }
done
awk -v f="$frames" -v c="$cpu" -v s="$played" -v hz="$hz" 'BEGIN {
  printf "while playing (%d s): %.1f pictures a second, %.1f %% of a core\n", s, f / s, 100 * c / hz / s }'
# An answer that never came (-1) counts as the slowest.
printf '%s\n' $answers | awk '{ print $1 < 0 ? "inf" : $1 }' | sort -g | awk '{ a[NR] = $1 } END {
  if (NR) printf "answers to 戻る (%d): median %s ms, slowest %s ms\n", NR,
    NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2, a[NR] }'

if [ "${WHOLE:-0}" = 1 ]; then
  played=0 cpu=0 frames=0
  xdotool mousemove $((wx + start_x_)) $((wy + bar_y)) click 1
  xdotool mousemove $((wx + 400)) $((wy + 200))
  sleep 0.5
  while ! at_title; do play 10; done
  awk -v f="$frames" -v c="$cpu" -v s="$played" -v hz="$hz" 'BEGIN {
    printf "a whole game (%d s): %.1f pictures a second, %.1f %% of a core\n", s, f / s, 100 * c / hz / s }'
fi
exit $fail
