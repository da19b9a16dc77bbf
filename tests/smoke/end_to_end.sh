#!/usr/bin/env bash
# The real program under Xvfb from start to end, as a player goes through it: seats set by
# clicks on the title, "開始", the human's turns answered by a click and by menu keys, "保存"
# into a new slot, "戻る", "読込み" of that slot and the game resumed, played on to the tally with
# the computers at the fastest speeds; "マップ", a tile placed and the map saved under a new
# name, found again on the title; "終了"; started again with the seats and the map kept. The
# game is played on a short board the test writes. Starts its own X server on a free display and
# ends only the processes it started.
# VORAK_SMOKE_SHOTS=folder keeps a screenshot of every screen (e2e-*.png).
set -uo pipefail
build=${1:?build directory}
source "$(dirname "$0")/../support/game_window.sh"
copy_game "$build" /usr/bin/compare
fail=0

# A board of one floor: the start on the left, the goal fifteen cells on (no piece reaches it in
# two passes, so the human's third turn always comes), grass between. It sorts first, so it is
# map 1. Humans on seats 0 and 1, the speeds at their fastest.
map="$work/game/Vorak-Map/00-Short.map"
for r in $(seq 0 9); do
  row=""
  for c in $(seq 0 23); do
    code=01
    if [ "$r" = 8 ] && [ "$c" -le 15 ]; then
      case $c in 0) code=02 ;; 15) code=E2 ;; *) code=00 ;; esac
    fi
    row+="$code"
    [ "$c" -lt 23 ] && row+=" "
  done
  printf '%s\r\n' "$row"
done >"$map"
mkdir -p "$work/game/Vorak-Dat"
vrk="$work/game/Vorak-Dat/Vorak.Vrk"
printf '[PLAYER]\r\n0=1\r\n1=1\r\n2=0\r\n3=0\r\n[SPEED]\r\nMSG=0.01\r\nATK=0.01\r\nETC=0.01\r\n[MAP]\r\nNOW=1\r\n' >"$vrk"

# Client coordinates: seat i's button on the title, the k-th of a right-aligned bar of n
# buttons, a board cell, a palette tile.
seat_x() { echo $((16 + 192 * $1 + 88 + 50)); }
seat_y=$((24 + 384 + 71 + 50))
bar_x() { echo $((800 - 3 - 55 * $1 + 55 * $2 + 27)); }
cell_x() { echo $((16 + 32 * $1 + 16)); }
cell_y() { echo $((40 + 32 * $1 + 16)); }
tile_x() { echo $((160 + 32 * $1 + 16)); }
tile_y() { echo $((420 + 32 * $1 + 16)); }
human=$(asset PicBtn.png 50 450)
computer=$(asset PicBtn.png 350 450)
nobody=$(asset PicBtn.png 50 550)
menu_face=$(asset PicBtn.png 50 37)

cell_as_in() { [ "$(diff_at "$work/$1.png" "$work/shot.png" $((16 + 32 * $2)) $((40 + 32 * $3)) 32 32)" -lt 50 ]; }
# The human's menu on show: its second button in seat 0's panel (three seats play, their panels
# at 16, 304 and 594).
human_menu() { pixel_is $((16 + 88 + 50)) $((24 + 384 + 71 + 25 + 12)) "$menu_face"; }
away() { xdotool mousemove $((wx + 400)) $((wy + 590)); }
# Something stands on the right half of the panel at X, which is flat while empty: a menu, the
# one-button "はい", or after the game the seat's place.
panel_shows() {
  [ "$(/usr/bin/convert "$work/shot.png" -crop "90x80+$((wx + $1 + 92))+$((wy + 24 + 384 + 90))" +repage \
    -format '%[fx:standard_deviation>0.03]' info:)" = 1 ]
}
# The game is over: every panel shows its seat's place.
placed() { panel_shows 16 && panel_shows 304 && panel_shows 594; }

# The title's bar is on show (its first button, "開始"), with or without a dialog over it.
on_title() { pixel_is "$(bar_x 8 0)" 12 "$(asset PicEnd.png 27 9)"; }
# What the last screenshot shows, and what the program said, for a failure's message.
say_what_shows() {
  if on_title; then
    echo "on show: the title"
  else
    echo "on show: the game"
    panel_shows 16 && echo "the human's panel shows a prompt that is not its dice menu"
  fi
  keep shot e2e-failed.png
  echo "the program said:"
  tail -n 20 "$work/out" "$work/err"
}

# Waits for the human's dice menu; any other prompt of the human (the one-button "はい", a
# fight's menu) is answered by Return, its first button. Never while the title is on show: its
# seat buttons fill the panel too, and a Return there would reach the title or its dialogs.
# 60 s at most.
to_dice_menu() {  # WHAT
  for _ in $(seq 300); do
    shot
    human_menu && return 0
    panel_shows 16 && ! on_title && xdotool key Return
    sleep 0.2
  done
  echo "timed out waiting for $1"
  say_what_shows
  fail=1
  return 1
}

start_x
start_game
away
await "the title" pixel_is "$(seat_x 1)" $seat_y "$human" || exit 1

# Seats: 0 stays human, a click makes 1 the computer's, two make 2 the computer's (empty, human,
# computer), 3 stays empty.
click_at "$(seat_x 1)" $seat_y
click_at "$(seat_x 2)" $seat_y
sleep 0.2
click_at "$(seat_x 2)" $seat_y
away
await "seat 1 the computer's" pixel_is "$(seat_x 1)" $seat_y "$computer"
await "seat 2 the computer's" pixel_is "$(seat_x 2)" $seat_y "$computer"
pixel_is "$(seat_x 3)" $seat_y "$nobody" || { echo "seat 3 is not empty"; fail=1; }
keep shot e2e-title.png

# "開始": the human plays first; its dice menu answered by a click on "→" (the second button).
click_at "$(bar_x 8 0)" 12
away
to_dice_menu "the human's first dice menu" || exit 1
keep shot e2e-game.png
click_at $((16 + 88 + 50)) $((24 + 384 + 71 + 25 + 12))
away
# The computers play; the next dice menu is answered by the menu key for "→".
sleep 0.5
to_dice_menu "the human's second dice menu" || exit 1
cp "$work/shot.png" "$work/ingame.png"

# "保存" (first of four) while the dice menu waits: a new slot's name, Return, the confirmation.
click_at "$(bar_x 4 0)" 12
await "the save dialog" middle_differs ingame || exit 1
xdotool type --delay 30 "e2e-slot"
sleep 0.3
shot
keep shot e2e-save.png
xdotool key Return
slot="$work/game/Vorak-Dat/e2e-slot.DAT"
await "the saved slot" test -f "$slot"
sleep 0.5
shot
keep shot e2e-saved.png
xdotool key Return
await "the dialogs to close" middle_matches ingame

# "戻る" (fourth): the title.
click_at "$(bar_x 4 3)" 12
away
await "the title after 戻る" pixel_is "$(seat_x 1)" $seat_y "$computer" || exit 1
cp "$work/shot.png" "$work/title.png"

# "読込み" (second of eight): the slot is listed; chosen and loaded, the game resumes at the
# human's dice menu.
click_at "$(bar_x 8 1)" 12
await "the load dialog" middle_differs title || exit 1
xdotool key Down
# The slot's row highlighted: the list took the key, and Return now loads that slot.
await "the slot chosen in the load dialog" pixel_is 570 158 0078D7 || { say_what_shows; exit 1; }
keep shot e2e-load.png
xdotool key Return
away
not_on_title() { ! on_title; }
await "the game to resume" not_on_title || { say_what_shows; exit 1; }
to_dice_menu "the resumed game's dice menu" || exit 1
keep shot e2e-resumed.png

# To the tally: every dice menu of the human answered by its key for "→", every other prompt by
# Return, the computers at full speed, until every panel shows its seat's place.
answer_to_the_end() {
  for _ in $(seq 1500); do
    shot
    placed && return 0
    if human_menu; then
      xdotool key x
    elif panel_shows 16; then
      xdotool key Return
    fi
    sleep 0.2
  done
  echo "the game never came to its end"
  fail=1
  return 1
}
SECONDS=0
answer_to_the_end
echo "played to the end in $SECONDS s"
keep shot e2e-tally.png

# "戻る": the title. "マップ" (fifth): the editor; the treasure box dropped on cell 3,0.
click_at "$(bar_x 4 3)" 12
away
await "the title after the game" pixel_is "$(seat_x 1)" $seat_y "$computer" || exit 1
click_at "$(bar_x 8 4)" 12
await "the palette" pixel_is "$(tile_x 12)" "$(tile_y 2)" "$(asset PicMap.png $((32 * 12 + 16)) $((32 * 2 + 16)))" ||
  exit 1
cp "$work/shot.png" "$work/before.png"
drag "$(tile_x 12)" "$(tile_y 2)" "$(cell_x 3)" "$(cell_y 0)"
cell_changed() { ! cell_as_in before 3 0; }
await "the tile on the board" cell_changed
away
sleep 0.7
shot editor
keep editor e2e-editor.png
click_at "$(bar_x 8 1)" 12
await "the map's save dialog" middle_differs editor || exit 1
xdotool type --delay 30 "04-E2E"
xdotool key Return
await "the saved map" test -f "$work/game/Vorak-Map/04-E2E.map"
await "the map's save dialog to close" middle_matches editor
# "戻る" asks whether to save over the map the editor opened: no. "前の面" on the title then
# wraps round to the last map, the new one.
click_at "$(bar_x 8 7)" 12
await "the save question" middle_differs editor || exit 1
xdotool key n
await "the title bar" pixel_is "$(bar_x 8 0)" 12 "$(asset PicEnd.png 27 9)" || exit 1
click_at "$(bar_x 8 2)" 12
away
await "the new map on the title" cell_as_in editor 3 0
keep shot e2e-title-map.png

# "終了", then a second start: the seats and the map as they were left.
click_at "$(bar_x 8 7)" 12
await_end 終了
for line in '0=1' '1=2' '2=2' '3=0' 'NOW=5'; do
  grep -qxF "$line" <(tr -d '\r' <"$vrk") || { echo "settings lack '$line'"; fail=1; }
done
start_game
away
await "the seats kept" pixel_is "$(seat_x 1)" $seat_y "$computer"
pixel_is "$(seat_x 0)" $seat_y "$human" || { echo "seat 0 is not the human's after a restart"; fail=1; }
pixel_is "$(seat_x 2)" $seat_y "$computer" || { echo "seat 2 is not the computer's after a restart"; fail=1; }
pixel_is "$(seat_x 3)" $seat_y "$nobody" || { echo "seat 3 is not empty after a restart"; fail=1; }
await "the new map kept" cell_as_in editor 3 0
keep shot e2e-restart.png
click_at "$(bar_x 8 7)" 12
await_end "終了 after the restart"

[ $fail -eq 0 ] && echo "end to end smoke: ok"
exit $fail
