#!/usr/bin/env bash
# The real program under Xvfb (openbox as window manager), from a copy of the assembled game
# folder: it refuses to start without a display, shows the title screen, ignores a second copy,
# cycles a seat on a click, goes full screen and back on F4, quits on "終了" and leaves its settings file behind. Starts its own
# X server on a free display and ends only the processes it started.
# VORAK_SMOKE_SHOT=file.png keeps the title screenshot.
set -uo pipefail
build=${1:?build directory}
source "$(dirname "$0")/../support/game_window.sh"
copy_game "$build"
fail=0

# No display: one clear line on stderr and a failure.
env -u DISPLAY -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY "$game" >"$work/nodisp.out" 2>"$work/nodisp.err"
rc=$?
if [ $rc -eq 0 ] || [ "$(wc -l <"$work/nodisp.err")" -ne 1 ]; then
  echo "without a display: rc $rc, stderr:"; cat "$work/nodisp.err"; fail=1
fi

start_x
start_game

# Checks collect what is wrong in $problems; a screen still being drawn is looked at again.
problems=""
expect() {  # expect X Y RRGGBB what   (client coordinates)
  local got
  got=$(px "$work/shot.png" $((wx + $1)) $((wy + $2)))
  [ "$got" = "$3" ] || problems+="at $1,$2 ($4): got $got, want $3"$'\n'
}
drawn() {  # drawn W H X Y what   (client coordinates)
  local d
  d=$(/usr/bin/convert "$work/shot.png" -crop "$1x$2+$((wx + $3))+$((wy + $4))" +repage \
    -format '%[fx:standard_deviation>0.03]' info:)
  [ "$d" = 1 ] || problems+="$5 is blank"$'\n'
}
settle() {  # settle CHECKS: shoots until CHECKS find nothing wrong (20 s at most), then reports
  local until=$((SECONDS + 20))
  while [ $SECONDS -lt $until ]; do
    shot
    problems=""
    "$1"
    [ -z "$problems" ] && return
    sleep 0.1
  done
  printf '%s' "$problems"
  fail=1
}

xdotool mousemove $((wx + 400)) $((wy + 200))

# The title screen once it is up: seat buttons with the human face, the top strip, the play
# area, the bar's buttons, and the board, the message line and every status panel drawn.
human=$(asset PicBtn.png 50 450)
seat_x=$((16 + 88 + 50)) seat_y=$((24 + 384 + 71 + 50))
title_checks() {
  expect 5 5 "$(asset PicStatusUp.png 5 5)" "top strip"
  expect 5 $((24 + 5)) "$(asset PicBgv.png 5 5)" "play area"
  expect $seat_x $seat_y "$human" "seat 0: human"
  expect $((seat_x + 192 * 3)) $seat_y "$human" "seat 3: human"
  # The title bar's last button is "終了" (column 4 of the faces), 3 pixels from the right edge.
  expect $((800 - 3 - 28)) 12 "$(asset PicEnd.png $((55 * 4 + 27)) 9)" "終了 button"
  expect $((800 - 3 - 55 * 8 + 27)) 12 "$(asset PicEnd.png 27 9)" "開始 button"
  drawn 768 320 16 40 "the board"
  drawn 300 30 16 $((24 + 344)) "the message window"
  for i in 0 1 2 3; do drawn 80 176 $((16 + 192 * i)) $((24 + 384)) "status panel $i"; done
}
settle title_checks
[ -n "${VORAK_SMOKE_SHOT:-}" ] && cp "$work/shot.png" "$VORAK_SMOKE_SHOT"

# A second copy ends at once, silently, and leaves the first running.
timeout 10 "$game" >"$work/second.out" 2>"$work/second.err"
rc=$?
if [ $rc -ne 0 ] || [ -s "$work/second.err" ] || ! kill -0 $gpid 2>/dev/null; then
  echo "second copy: rc $rc"; cat "$work/second.err"; fail=1
fi

# A click on seat 0 makes it the computer's.
xdotool mousemove $((wx + seat_x)) $((wy + seat_y)) click 1
computer=$(asset PicBtn.png 350 450)
xdotool mousemove $((wx + 400)) $((wy + 200))
seat0_computer() { expect $seat_x $seat_y "$computer" "seat 0 after a click: computer"; }
settle seat0_computer

# F4 shows the 800 x 600 picture full screen (1024 x 768 here, scaled 1.28), F4 again the window.
xdotool key F4
want=$(asset PicBtn.png $((300 + 49)) $((400 + 49)))
for _ in $(seq 50); do
  shot
  [ "$(px "$work/shot.png" 197 677)" = "$want" ] && break
  sleep 0.1
done
got=$(px "$work/shot.png" 197 677)
[ "$got" = "$want" ] || { echo "full screen: seat 0 at 197,677 is $got, want $want"; fail=1; }
xdotool key F4
windowed() {
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  wx=$X wy=$Y
  [ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ] || problems+="back from full screen: ${WIDTH}x$HEIGHT"$'\n'
  expect $seat_x $seat_y "$computer" "seat 0 back in the window"
}
settle windowed

# "終了" quits and writes the settings.
click_at $((800 - 3 - 28)) 12
await_end 終了
vrk="$work/game/Vorak-Dat/Vorak.Vrk"
if [ -f "$vrk" ]; then
  for line in '[PLAYER]' '0=2' '1=1' '[MAP]' 'NOW=1' 'MODE=OFF'; do
    grep -qxF "$line" <(tr -d '\r' <"$vrk") || { echo "settings lack '$line':"; cat "$vrk"; fail=1; }
  done
else
  echo "no settings file written"; fail=1
fi

[ $fail -eq 0 ] && echo "title screen smoke: ok"
exit $fail
