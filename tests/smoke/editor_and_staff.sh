#!/usr/bin/env bash
# The real program under Xvfb: the map editor takes three tiles dragged from the palette, saves
# the board under a new name through the file dialog, and the title offers that map; the S key
# on the title plays the staff roll, and Escape held ends it without quitting. Every step waits
# for what the window shows, so a slow build only takes longer. Starts its own X server on a
# free display and ends only the processes it started.
# VORAK_SMOKE_SHOTS=folder keeps the screenshots of the editor and the staff roll.
set -uo pipefail
build=${1:?build directory}
source "$(dirname "$0")/../support/game_window.sh"
copy_game "$build" /usr/bin/compare
fail=0

start_x
start_game

# Client coordinates: the palette's tile (c, r), the board's cell (x, y), the k-th of the 8
# right-aligned top-bar buttons.
tile_x() { echo $((160 + 32 * $1 + 16)); }
tile_y() { echo $((420 + 32 * $1 + 16)); }
cell_x() { echo $((16 + 32 * $1 + 16)); }
cell_y() { echo $((40 + 32 * $1 + 16)); }
button_x() { echo $((800 - 3 - 55 * 8 + 55 * $1 + 27)); }

cell_diff() { diff_at "$1" "$2" $((16 + 32 * $3)) $((40 + 32 * $4)) 32 32; }  # SHOT1 SHOT2 X Y
cell_changed() { [ "$(cell_diff "$work/before.png" "$work/shot.png" "$1" "$2")" -gt 100 ]; }
cell_as_edited() { [ "$(cell_diff "$work/editor.png" "$work/shot.png" "$1" "$2")" -lt 50 ]; }

# The title's seat button shows once the window is up; "マップ" (fifth) opens the editor.
await "the title screen" pixel_is $((16 + 88 + 50)) $((24 + 384 + 71 + 50)) "$(asset PicBtn.png 50 450)" || exit 1
click_at "$(button_x 4)" 12
await "the palette" pixel_is "$(tile_x 12)" "$(tile_y 2)" "$(asset PicMap.png $((32 * 12 + 16)) $((32 * 2 + 16)))" ||
  exit 1
cp "$work/shot.png" "$work/before.png"

# Three tiles: the treasure box, an inn and a sign, each dropped on a cell and drawn there.
drops=("12 2 3 0" "8 0 6 0" "7 0 9 2")
for d in "${drops[@]}"; do
  read -r c r x y <<<"$d"
  drag "$(tile_x "$c")" "$(tile_y "$r")" "$(cell_x "$x")" "$(cell_y "$y")"
  await "tile $c,$r drawn on cell $x,$y" cell_changed "$x" "$y"
done
xdotool mousemove $((wx + 400)) $((wy + 590))
sleep 0.7  # the pointer's tooltip, if any, goes away
shot editor
keep editor editor.png

# "保存" (second in the editor's bar): the dialog proposes the current map; a new name instead.
click_at "$(button_x 1)" 12
await "the save dialog" middle_differs editor || exit 1
xdotool type --delay 30 "04-Xvfb"
xdotool key Return
saved="$work/game/Vorak-Map/04-Xvfb.map"
await "the saved map" test -f "$saved"
await "the save dialog to close" middle_matches editor
# Each dragged tile's code at its cell: row y + 1 of the file, field x + 1.
for d in "${drops[@]}"; do
  read -r c r x y <<<"$d"
  want=$(printf '%X%X' "$c" "$r")
  got=$(tr -d '\r' <"$saved" 2>/dev/null | awk -v row=$((y + 1)) -v col=$((x + 1)) 'NR == row { print $col }')
  [ "$got" = "$want" ] || { echo "saved map: cell $x,$y holds '$got', want $want"; fail=1; }
done

# "戻る" asks whether to save over the current map: no. The title's "前の面" then wraps round
# to the last map, the new one, and shows its tiles.
click_at "$(button_x 7)" 12
await "the save question" middle_differs editor || exit 1
xdotool key n
await "the title bar" pixel_is "$(button_x 0)" 12 "$(asset PicEnd.png 27 9)" || exit 1
click_at "$(button_x 2)" 12
for d in "${drops[@]}"; do
  read -r c r x y <<<"$d"
  await "the saved map's cell $x,$y on the title" cell_as_edited "$x" "$y"
done

# The staff roll: S on the title. The logo stands on black over the left half of the board;
# a few seconds in, the first lines have pushed it up, and the right half still shows the board.
xdotool key s
await "the staff roll" pixel_is 20 44 000000 || exit 1
sleep 0.5
shot staff-start
keep staff-start staff-roll-start.png
sleep 2.5
shot staff
keep staff staff-roll.png
roll="380x316+$((wx + 18))+$((wy + 42))"
black=$(/usr/bin/convert "$work/staff.png" -crop "$roll" +repage -fill white +opaque black -format '%[fx:mean<0.4]' info:)
[ "$black" = 1 ] || { echo "the roll is not on black"; fail=1; }
ink=$(/usr/bin/convert "$work/staff.png" -crop "$roll" +repage -format '%[fx:standard_deviation>0.05]' info:)
[ "$ink" = 1 ] || { echo "the roll shows nothing"; fail=1; }
[ "$(cell_diff "$work/editor.png" "$work/staff.png" 12 0)" -lt 50 ] || { echo "the board's right half is hidden"; fail=1; }

# Escape held ends the roll after the line under way; the program stays on the title, also
# while the held key repeats.
roll_still() {
  cp "$work/shot.png" "$work/prev.png"
  sleep 0.5
  shot
  [ "$(diff_at "$work/prev.png" "$work/shot.png" 18 42 380 316)" = 0 ]
}
xdotool keydown Escape
await "the roll to stop" roll_still
sleep 1
xdotool keyup Escape
sleep 0.5
kill -0 $gpid 2>/dev/null || { echo "Escape during the roll ended the program"; exit 1; }

# "終了" quits; the settings keep the new map as the selected one.
click_at "$(button_x 7)" 12
await_end 終了
vrk="$work/game/Vorak-Dat/Vorak.Vrk"
grep -qxF 'NOW=4' <(tr -d '\r' <"$vrk" 2>/dev/null) || { echo "settings do not select map 4"; fail=1; }

[ $fail -eq 0 ] && echo "editor and staff roll smoke: ok"
exit $fail
