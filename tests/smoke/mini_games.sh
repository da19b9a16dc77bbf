#!/usr/bin/env bash
# A shop and the inn's and the game centre's three games in the real window under Xvfb, staged
# by vorak-mini-games from a copy of the game folder and played with the real mouse and keyboard:
# the herb shop's menu waits for its buttons, the slot's reels spin until "はい" is clicked and then come to rest; the gallery's arrow slides
# along the rail until a click in the event window lets it fly; the time attack times a held
# Space against its target, and the measured time is what was held. Starts its own X server on a
# free display and ends only the processes it started.
# VORAK_SMOKE_SHOTS=folder keeps the screenshots.
set -uo pipefail
build=${1:?build directory}
source "$(dirname "$0")/../support/game_window.sh"
copy_game "$build" /usr/bin/compare
use_stager "$build" vorak-mini-games
fail=0

lines() { wc -l <"$work/out"; }
now() { date +%s.%N; }
# A screenshot kept as the X server's dump (quick, so the timing around it holds), read later.
grab() { xwd -root -silent >"$work/$1.xwd"; }
differs() { diff_at "$(shot_file "$1")" "$(shot_file "$2")" "${@:3}"; }  # SHOT_A SHOT_B X Y W H

# The event window's picture area is at client (300, 110), 200 x 200; seat 1's "はい" button
# fills its menu panel at client (296, 479), 100 x 100.
yes_x=346 yes_y=529

start_x
start_game

# The herb shop lists its prices and waits for its menu in seat 1's panel; "0" (the fourth
# button) leaves with a word from the shopkeeper.
from=$(lines)
next_scene shop
await_line "^MSG .*薬屋です" "$from"
sleep 0.7
shot shop
click_at $yes_x $((479 + 75 + 12))
await_line "^MSG まいど。" "$from"
await_scene shop-done
keep shop shop.png

# The slot: the reels spin on their own until "はい" is clicked (a line of replays spins again
# and is stopped the same way).
from=$(lines)
next_scene slot
while await_line "^MSG 5秒以内" "$from"; do
  sleep 0.5
  grab slot-a
  click_at $yes_x $yes_y
  sleep 0.3
  grab slot-b
  from=$(lines)
  for _ in $(seq 400); do
    tail -n +"$((from + 1))" "$work/out" | grep -q -e "^MSG 5秒以内" -e "^SCENE slot-done" && break
    sleep 0.05
  done
  tail -n +"$((from + 1))" "$work/out" | grep -q "^MSG 5秒以内" || break
done
grab slot-result
await_line "^SCENE slot-done$"
# The click took the menu away at once, while the reels still ran on.
gone=$(differs slot-a slot-b 296 479 100 100)
[ "$gone" -gt 3000 ] || { echo "the click did not stop the reels: $gone pixels of the button changed"; fail=1; }
moved=$(differs slot-a slot-b 300 140 200 130)
[ "$moved" -gt 500 ] || { echo "the reels did not turn: $moved pixels changed"; fail=1; }
keep slot-a slot-spinning.png
keep slot-b slot-stopping.png
keep slot-result slot-result.png

# The gallery: "はい", then the arrow slides along the rail until the click in the window.
from=$(lines)
next_scene gallery
await_line "^MSG 店主「当たったら" "$from"
sleep 0.5
grab gallery-ready
click_at $yes_x $yes_y
sleep 0.6
grab gallery-aim
from=$(lines)
click_at 330 150
await_line "^MSG 店主「" "$from"
grab gallery-result
await_line "^SCENE gallery-done$"
arrow=$(differs_from gallery-aim 300 262 200 32 "$pic/PicCasino1.png" 0 152)
[ "$arrow" -gt 50 ] || { echo "no arrow on the rail: $arrow pixels"; fail=1; }
keep gallery-ready gallery-ready.png
keep gallery-aim gallery-aim.png
keep gallery-result gallery-result.png

# The time attack: Space held for about the target's seconds; the time measured is the time
# the key was held.
from=$(lines)
next_scene time
await_line "^MSG キーを押して" "$from"
target=$(grep "^MSG キーを押して" "$work/out" | head -n1 | sed 's/^MSG キーを押して\(.\).*/\1/; y/３４５６/3456/')
sleep 1.3
xdotool keydown space
pressed=$(now)
sleep 0.25
grab time-honest
sleep 1.5
grab time-pretend
rest=$(echo "$target - ($(now) - $pressed)" | bc)
[ "$(echo "$rest > 0" | bc)" = 1 ] && sleep "$rest"
xdotool keyup space
held=$(echo "$(now) - $pressed" | bc)
await_line "^MSG あなたのタイム"
grab time-result
measured=$(grep "^MSG あなたのタイム" "$work/out" | sed 's/^MSG あなたのタイム\([0-9.]*\)秒.*/\1/')
echo "time attack: target $target s, held $held s, measured $measured s"
off=$(echo "$measured - $held" | bc)
[ "$(echo "$off < 0.15 && $off > -0.15" | bc)" = 1 ] || { echo "held $held s, measured $measured s"; fail=1; }
await_line "^SCENE time-done$"
keep time-honest time-honest.png
keep time-pretend time-pretend.png
keep time-result time-result.png

next_scene end
await_end "the end of its scenes"
exit $fail
