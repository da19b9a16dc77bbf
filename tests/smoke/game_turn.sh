#!/usr/bin/env bash
# The real program under Xvfb plays a game: seats 0 and 2 are the computer's, seat 1 a human's,
# seat 3 empty, the speeds at their fastest. "開始" starts the game, the computer plays its turn
# by itself, the human's dice menu comes up on its own panel and a click on "→" answers it; the
# die rolls and the piece walks, and "戻る" in the middle of it leaves the game at once for the
# title. "開始" then starts a fresh game, Escape leaves it while the dice menu waits, and "終了"
# ends the program. Starts its own X server on a free display and ends only the processes it
# started.
# VORAK_SMOKE_SHOT=file.png keeps a screenshot of the human's turn in progress.
set -uo pipefail
build=${1:?build directory}
source "$(dirname "$0")/../support/game_window.sh"
copy_game "$build" /usr/bin/compare
fail=0

mkdir -p "$work/game/Vorak-Dat"
printf '[PLAYER]\r\n0=2\r\n1=1\r\n2=2\r\n3=0\r\n[SPEED]\r\nMSG=0.01\r\nATK=0.01\r\nETC=0.01\r\n[MAP]\r\nNOW=1\r\n' \
  >"$work/game/Vorak-Dat/Vorak.Vrk"

start_x
start_game
xdotool mousemove $((wx + 400)) $((wy + 200))

# Client coordinates. Three seats play, so their panels stand at 16, 304 and 594; the menu sits
# at 88, 71 in the panel of the seat whose turn it is, four buttons of 25 pixels, "→" second.
arrow_x=$((304 + 88 + 50)) arrow_y=$((24 + 384 + 71 + 25 + 12))
seat_x=$((16 + 88 + 50)) seat_y=$((24 + 384 + 71 + 50))
bar_x() { echo $((800 - 3 - 55 * $1 + 55 * $2 + 27)); }  # BUTTONS K: the k-th of a right-aligned bar

# CPU seconds the program has used so far (user and system).
cpu_ticks() { awk '{print $14 + $15}' "/proc/$gpid/stat"; }

menu_face=$(asset PicBtn.png 50 37)
computer_face=$(asset PicBtn.png 350 450)
await "the title" pixel_is $seat_x $seat_y "$computer_face"

# A game: the computer's turn first, then the human's dice menu.
click_at "$(bar_x 8 0)" 12
xdotool mousemove $((wx + 400)) $((wy + 200))
if await "the human's dice menu" pixel_is $arrow_x $arrow_y "$menu_face"; then
  cp "$work/shot.png" "$work/menu.png"
  click_at $arrow_x $arrow_y
  xdotool mousemove $((wx + 400)) $((wy + 200))
  sleep 0.3
  shot turn
  [ -n "${VORAK_SMOKE_SHOT:-}" ] && /usr/bin/convert "$work/turn.png" -crop "800x600+$wx+$wy" +repage "$VORAK_SMOKE_SHOT"
  # The die rolls in the menu's place, and the turn goes on on the board.
  [ "$(diff_at "$work/menu.png" "$work/turn.png" 392 479 100 100)" -gt 1000 ] || { echo "no die where the menu was"; fail=1; }
  sleep 1.5
  shot walked
  [ "$(diff_at "$work/menu.png" "$work/walked.png" 16 40 768 320)" -gt 100 ] || { echo "nothing moved on the board"; fail=1; }
  # Leaving in the middle of the game: the title is back at once.
  click_at "$(bar_x 4 3)" 12
  xdotool mousemove $((wx + 400)) $((wy + 200))
  await "the title after 戻る" pixel_is $seat_x $seat_y "$computer_face"
fi

# A fresh game; Escape leaves it while the human's dice menu waits.
click_at "$(bar_x 8 0)" 12
xdotool mousemove $((wx + 400)) $((wy + 200))
if await "the dice menu of the second game" pixel_is $arrow_x $arrow_y "$menu_face"; then
  t0=$(cpu_ticks)
  sleep 2
  t1=$(cpu_ticks)
  echo "CPU while the dice menu waited 2 s: $(((t1 - t0) * 100 / $(getconf CLK_TCK) / 2)) % of a core ($((t1 - t0)) ticks)"
  xdotool key Escape
  await "the title after Escape" pixel_is $seat_x $seat_y "$computer_face"
fi

# "終了" ends the program.
click_at "$(bar_x 8 7)" 12
await_end "終了"

[ $fail -eq 0 ] && echo "game turn smoke: ok"
exit $fail
