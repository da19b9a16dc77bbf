#!/usr/bin/env bash
# The board's scenes in the real window under Xvfb, staged by vorak-board-scenes from a copy of
# the game folder: the toll gate's event window opens over the board with its title, the old
# man's question waits for a click on "はい" and goes on once it came, a piece falls down a column
# of holes and a loser flies back to its stop point, both seen on their way. Starts its own X
# server on a free display and ends only the processes it started.
# VORAK_SMOKE_SHOTS=folder keeps the screenshots (the falls and the flight as numbered frames).
set -uo pipefail
build=${1:?build directory}
source "$(dirname "$0")/../support/game_window.sh"
copy_game "$build" /usr/bin/compare
use_stager "$build" vorak-board-scenes
fail=0

# Screenshots every 0.1 s for a while, numbered; how many differ in a client rectangle.
burst() {  # NAME COUNT X Y W H
  local i changes=0
  for i in $(seq -w 1 "$2"); do
    shot "$1-$i"
    keep "$1-$i" "$1-$i.png"
    sleep 0.1
  done
  for i in $(seq -w 2 "$2"); do
    local prev
    prev=$(printf "%0${#2}d" $((10#$i - 1)))
    [ "$(differs_from "$1-$i" "$3" "$4" "$5" "$6" "$work/$1-$prev.png" $((wx + $3)) $((wy + $4)))" -gt 20 ] &&
      changes=$((changes + 1))
  done
  echo $changes
}

start_x
start_game

# The event window sits in the middle of the board (client 290, 80): its frame is the wood
# panel, its title band holds the title, its picture area the board around the piece.
next_scene toll
sleep 0.7
shot toll
keep toll toll.png
frame=$(differs_from toll 290 110 220 210 "$pic/PicStage.png" 0 30)
title=$(differs_from toll 290 80 220 25 "$pic/PicStage.png" 0 0)
[ "$frame" -gt 20000 ] || { echo "no event window picture: $frame pixels differ from the bare frame"; fail=1; }
[ "$title" -gt 100 ] || { echo "no title in the event window: $title pixels"; fail=1; }
edge=$(px "$work/toll.png" $((wx + 292)) $((wy + 315)))
[ "$edge" = "$(asset PicStage.png 2 235)" ] || { echo "the frame's edge: $edge"; fail=1; }

# The old man waits for the human in seat 1: its panel (client 208, 408) holds the menu.
next_scene question
sleep 0.7
shot question
keep question question.png
grep -q "^SCENE answered$" "$work/out" && { echo "the question did not wait"; fail=1; }
click_at $((208 + 88 + 50)) $((408 + 71 + 12))
await_scene answered && { sleep 0.5; shot answered; keep answered answered.png; }

# Falling down column 5 and flying along row 2: the piece is seen in between.
next_scene fall
moves=$(burst fall 12 176 40 32 320)
[ "$moves" -ge 2 ] || { echo "the fall was seen in only $moves frames"; fail=1; }
next_scene blown
moves=$(burst blown 8 16 104 768 32)
[ "$moves" -ge 2 ] || { echo "the flight was seen in only $moves frames"; fail=1; }
next_scene happy
sleep 0.25
shot happy
keep happy happy.png

next_scene end
await_end "the end of its scenes"
exit $fail
