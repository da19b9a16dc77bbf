#!/usr/bin/env bash
# The real program under Xvfb: the map editor takes three tiles dragged from the palette, saves
# the board under a new name through the file dialog, and the title offers that map; the S key
# on the title plays the staff roll, and Escape held ends it without quitting. Starts its own X
# server on a free display and ends only the processes it started.
# VORAK_SMOKE_SHOTS=folder keeps the screenshots of the editor and the staff roll.
set -uo pipefail
build=${1:?build directory}
[ -x "$build/game/vorak-talmor" ] || { echo "missing $build/game/vorak-talmor"; exit 1; }
for tool in Xvfb openbox xwd xdotool /usr/bin/convert /usr/bin/compare; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh installs it)"; exit 1; }
done

source "$(dirname "$0")/../support/xserver.sh"
source "$(dirname "$0")/../support/game_window.sh"
copy_game "$build"
fail=0
# Keeps the window's part of a screenshot.
keep() {
  [ -z "${VORAK_SMOKE_SHOTS:-}" ] || /usr/bin/convert "$work/$1.png" -crop "800x600+$wx+$wy" +repage "$VORAK_SMOKE_SHOTS/$2"
}

start_x
start_game

# Client coordinates: the palette's tile (c, r), the board's cell (x, y), the k-th of the 8
# right-aligned top-bar buttons.
tile_x() { echo $((160 + 32 * $1 + 16)); }
tile_y() { echo $((420 + 32 * $1 + 16)); }
cell_x() { echo $((16 + 32 * $1 + 16)); }
cell_y() { echo $((40 + 32 * $1 + 16)); }
button_x() { echo $((800 - 3 - 55 * 8 + 55 * $1 + 27)); }

# Waits until the pixel at client (x, y) has the colour, taking a screenshot each time.
await_pixel() {  # X Y RRGGBB what
  for _ in $(seq 100); do
    shot
    [ "$(px "$work/shot.png" $((wx + $1)) $((wy + $2)))" = "$3" ] && return 0
    sleep 0.1
  done
  echo "$4: at $1,$2 got $(px "$work/shot.png" $((wx + $1)) $((wy + $2))), want $3"; fail=1
}
# How many pixels of board cell (x, y) differ between two screenshots.
cell_diff() {  # SHOT1 SHOT2 X Y
  /usr/bin/convert "$1" -crop "32x32+$((wx + 16 + 32 * $3))+$((wy + 40 + 32 * $4))" +repage "$work/a.png"
  /usr/bin/convert "$2" -crop "32x32+$((wx + 16 + 32 * $3))+$((wy + 40 + 32 * $4))" +repage "$work/b.png"
  local n
  n=$(/usr/bin/compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1)
  echo "${n%%.*}"
}
drag() {  # FROM_X FROM_Y TO_X TO_Y   (client coordinates)
  xdotool mousemove $((wx + $1)) $((wy + $2)) mousedown 1
  for i in 1 2 3 4 5; do
    xdotool mousemove $((wx + $1 + ($3 - $1) * i / 5)) $((wy + $2 + ($4 - $2) * i / 5))
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.2
}

# The title's seat button shows once the window is up; "マップ" (fifth) opens the editor.
await_pixel $((16 + 88 + 50)) $((24 + 384 + 71 + 50)) "$(asset PicBtn.png 50 450)" "title screen"
click_at "$(button_x 4)" 12
palette_tile=$(asset PicMap.png $((32 * 12 + 16)) $((32 * 2 + 16)))
await_pixel "$(tile_x 12)" "$(tile_y 2)" "$palette_tile" "the palette's treasure box"
cp "$work/shot.png" "$work/before.png"

# Three tiles: the treasure box, an inn and a sign, each onto a cell of the top floor.
drops=("12 2 3 0" "8 0 6 0" "7 0 9 2")
for d in "${drops[@]}"; do
  read -r c r x y <<<"$d"
  drag "$(tile_x "$c")" "$(tile_y "$r")" "$(cell_x "$x")" "$(cell_y "$y")"
done
xdotool mousemove $((wx + 400)) $((wy + 590))
sleep 0.3
shot editor
keep editor editor.png
for d in "${drops[@]}"; do
  read -r c r x y <<<"$d"
  n=$(cell_diff "$work/before.png" "$work/editor.png" "$x" "$y")
  [ "$n" -gt 100 ] || { echo "cell $x,$y was not redrawn after the drop ($n pixels changed)"; fail=1; }
done

# "保存" (second in the editor's bar): the dialog proposes the current map; a new name instead.
click_at "$(button_x 1)" 12
sleep 0.5
xdotool type --delay 30 "04-Xvfb"
xdotool key Return
sleep 0.5
shot saved
saved="$work/game/Vorak-Map/04-Xvfb.map"
if [ -f "$saved" ]; then
  # Each dragged tile's code at its cell: row y + 1 of the file, field x + 1.
  for d in "${drops[@]}"; do
    read -r c r x y <<<"$d"
    want=$(printf '%X%X' "$c" "$r")
    got=$(tr -d '\r' <"$saved" | awk -v row=$((y + 1)) -v col=$((x + 1)) 'NR == row { print $col }')
    [ "$got" = "$want" ] || { echo "saved map: cell $x,$y holds '$got', want $want"; fail=1; }
  done
else
  echo "the map was not saved"; fail=1
fi

# "戻る" asks whether to save over the current map: no. The title's "前の面" then wraps round
# to the last map, the new one, and shows its tiles.
click_at "$(button_x 7)" 12
sleep 0.5
xdotool key n
sleep 0.5
click_at "$(button_x 2)" 12
sleep 0.5
shot title
for d in "${drops[@]}"; do
  read -r c r x y <<<"$d"
  n=$(cell_diff "$work/editor.png" "$work/title.png" "$x" "$y")
  [ "$n" -lt 50 ] || { echo "title: cell $x,$y is not the saved map's ($n pixels differ)"; fail=1; }
done

# The staff roll: S on the title. A few seconds in, the logo and the first lines are on black
# over the left half of the board, the right half still shows the board.
xdotool key s
sleep 0.7
shot staff-start
keep staff-start staff-roll-start.png
sleep 2.5
shot staff
keep staff staff-roll.png
black=$(/usr/bin/convert "$work/staff.png" -crop "380x316+$((wx + 18))+$((wy + 42))" +repage \
  -fill white +opaque black -format '%[fx:mean<0.4]' info:)
[ "$black" = 1 ] || { echo "the roll is not on black"; fail=1; }
ink=$(/usr/bin/convert "$work/staff.png" -crop "380x316+$((wx + 18))+$((wy + 42))" +repage \
  -format '%[fx:standard_deviation>0.05]' info:)
[ "$ink" = 1 ] || { echo "the roll shows nothing"; fail=1; }
right=$(/usr/bin/convert "$work/staff.png" -crop "32x32+$((wx + 16 + 32 * 12))+$((wy + 40))" +repage \
  -format '%[fx:mean>0.02]' info:)
[ "$right" = 1 ] || { echo "the board's right half is hidden"; fail=1; }

# Escape held ends the roll after the line under way; the program stays on the title.
xdotool keydown Escape
sleep 0.6
xdotool keyup Escape
sleep 0.5
shot stopped1
sleep 0.6
shot stopped2
n=$(/usr/bin/compare -metric AE "$work/stopped1.png" "$work/stopped2.png" null: 2>&1)
[ "${n%%.*}" = 0 ] || { echo "the roll still moves after Escape ($n pixels changed)"; fail=1; }
kill -0 $gpid 2>/dev/null || { echo "Escape during the roll ended the program"; fail=1; }

# "終了" quits; the settings keep the new map as the selected one.
click_at "$(button_x 7)" 12
await_end 終了
vrk="$work/game/Vorak-Dat/Vorak.Vrk"
grep -qxF 'NOW=4' <(tr -d '\r' <"$vrk" 2>/dev/null) || { echo "settings do not select map 4"; fail=1; }

[ $fail -eq 0 ] && echo "editor and staff roll smoke: ok"
exit $fail
