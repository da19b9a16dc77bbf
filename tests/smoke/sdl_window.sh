#!/usr/bin/env bash
# The real SDL backend under Xvfb (with openbox as window manager): a picture box inside a
# container shows known pixels; the X server's own screenshot must show exactly those, in the
# window and in the full-screen view. Starts its own X server on a free display and ends only
# the processes it started.
set -uo pipefail
build=${1:?build directory}
prog="$build/tools/uismoke/vorak-uismoke"
[ -x "$prog" ] || { echo "missing $prog"; exit 1; }
for tool in Xvfb openbox xwd /usr/bin/convert; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh installs it)"; exit 1; }
done

source "$(dirname "$0")/../support/xserver.sh"

start_x

mkfifo "$work/in"
"$prog" <"$work/in" >"$work/out" 2>"$work/err" &
pids+=($!)
exec 3>"$work/in"

# Waits for the n-th READY line and sets x, y from it.
await() {
  for _ in $(seq 200); do
    line=$(grep '^READY' "$work/out" | sed -n "${1}p")
    if [ -n "$line" ]; then
      read -r _ x y <<<"$line"
      return 0
    fi
    sleep 0.05
  done
  echo "no READY $1; program said:"; cat "$work/out" "$work/err"; return 1
}
shot() { xwd -root -silent | /usr/bin/convert xwd:- "$work/shot.png"; }
px() { /usr/bin/convert "$work/shot.png" -crop "1x1+$1+$2" +repage -format '%[hex:p{0,0}]' info: | cut -c1-6; }
fail=0
expect() {  # expect X Y RRGGBB what
  got=$(px "$1" "$2")
  if [ "$got" != "$3" ]; then echo "at $1,$2 ($4): got $got, want $3"; fail=1; fi
}

await 1 || exit 1
shot
# Client (0,0) is the yellow window; the picture box sits at 16,16 inside PicBgv at 0,24.
expect $((x + 5)) $((y + 5)) FFFF00 "main window"
expect $((x + 5)) $((y + 30)) 000080 "container"
expect $((x + 16 + 20)) $((y + 40 + 20)) FF0000 "picture, red quadrant"
expect $((x + 16 + 100)) $((y + 40 + 20)) 00FF00 "picture, green quadrant"
expect $((x + 16 + 20)) $((y + 40 + 100)) 0000FF "picture, blue quadrant"
expect $((x + 16 + 100)) $((y + 40 + 100)) FFFFFF "picture, white quadrant"
expect $((x + 16 + 10)) $((y + 40 + 10)) FF00FF "one-pixel mark"
expect $((x + 16 + 11)) $((y + 40 + 10)) FF0000 "beside the mark"
expect $((x + 799)) $((y + 599)) 000080 "last pixel"

# Input: a right click and a key reach the program in its own terms.
command -v xdotool >/dev/null || { echo "missing xdotool"; exit 1; }
xdotool mousemove $((x + 16 + 30)) $((y + 40 + 7)) click 3
xdotool key F4
for _ in $(seq 100); do grep -q '^KEY 115' "$work/out" && break; sleep 0.05; done
grep -q '^DOWN 2 0 30 7$' "$work/out" || { echo "right click: $(grep DOWN "$work/out")"; fail=1; }
grep -q '^KEY 115 0$' "$work/out" || { echo "F4: $(grep KEY "$work/out")"; fail=1; }

echo full >&3
await 2 || exit 1
shot
# 800 x 600 scaled by 1.28 fills the 1024 x 768 screen.
expect 10 10 FFFF00 "full screen: top strip"
expect $(( (16 + 20) * 128 / 100 )) $(( (40 + 20) * 128 / 100 )) FF0000 "full screen: red"
expect $(( (16 + 100) * 128 / 100 )) $(( (40 + 100) * 128 / 100 )) FFFFFF "full screen: white"
expect 1020 760 000080 "full screen: corner"
# A click on the scaled screen lands on the same spot of the picture box.
xdotool mousemove $(( (16 + 100) * 128 / 100 )) $(( (40 + 50) * 128 / 100 )) click 1
for _ in $(seq 100); do grep -q '^DOWN 1 ' "$work/out" && break; sleep 0.05; done
grep -qE '^DOWN 1 0 (99|100|101) (49|50|51)$' "$work/out" || { echo "full-screen click: $(grep DOWN "$work/out")"; fail=1; }

echo window >&3
await 3 || exit 1
shot
expect $((x + 16 + 100)) $((y + 40 + 20)) 00FF00 "back in the window"
expect $((x + 5)) $((y + 5)) FFFF00 "back in the window: strip"

# Typed text reaches a text box with the focus. (Japanese goes the same way, as UTF-8 text
# events; xdotool can only type it by remapping keys, which races under load, so the
# headless tests cover it.)
echo text >&3
await 4 || exit 1
xdotool type --delay 40 'ab1'
for _ in $(seq 100); do grep -qx 'TEXT ab1' "$work/out" && break; sleep 0.05; done
grep -qx 'TEXT ab1' "$work/out" || { echo "typing: $(grep TEXT "$work/out" | tail -n1)"; fail=1; }

echo quit >&3
[ $fail -eq 0 ] && echo "sdl window smoke: ok"
exit $fail
