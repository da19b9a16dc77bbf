# Sourced by the smoke tests that run the real program: a game folder of its own, the program
# started on the X server, its window found, and screenshots read by pixel.
source "$(dirname "${BASH_SOURCE[0]}")/xserver.sh"

# Checks the build's game and the tools (the usual ones and any named), then copies the game
# folder without a data folder, so the build's settings stay untouched and runs never collide.
copy_game() {  # BUILD [TOOL...]
  [ -x "$1/game/vorak-talmor" ] || { echo "missing $1/game/vorak-talmor"; exit 1; }
  local tool
  for tool in Xvfb openbox xwd xdotool /usr/bin/convert "${@:2}"; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh installs it)"; exit 1; }
  done
  cp -r "$1/game" "$work/game"
  rm -rf "$work/game/Vorak-Dat"
  game="$work/game/vorak-talmor"
  pic="$work/game/Vorak-Pic"
}

# Starts the program (gpid) and waits for its window; wx, wy are its client area's corner.
start_game() {
  "$game" >"$work/out" 2>"$work/err" &
  gpid=$!
  pids+=($gpid)
  wid=""
  for _ in $(seq 200); do
    wid=$(xdotool search --name '^VorakTalmor$' 2>/dev/null | head -n1)
    [ -n "$wid" ] && break
    sleep 0.05
  done
  [ -n "$wid" ] || { echo "no game window; program said:"; cat "$work/out" "$work/err"; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  wx=$X wy=$Y
}

shot() { xwd -root -silent | /usr/bin/convert xwd:- "$work/${1:-shot}.png"; }
px() { /usr/bin/convert "$1" -crop "1x1+$2+$3" +repage -format '%[hex:p{0,0}]' info: | cut -c1-6; }
# The colour a picture of the game folder has at (x, y).
asset() { px "$pic/$1" "$2" "$3"; }
# Whether the pixel at (x, y) of the client area in the last screenshot has a colour.
pixel_is() { [ "$(px "$work/shot.png" $((wx + $1)) $((wy + $2)))" = "$3" ]; }  # X Y RRGGBB
# Takes screenshots until the condition (a command) holds; says what failed after 30 s.
await() {  # WHAT COMMAND...
  local what=$1
  shift
  for _ in $(seq 150); do
    shot
    "$@" && return 0
    sleep 0.2
  done
  echo "timed out waiting for $what"
  fail=1
  return 1
}
# Moves the pointer to (x, y) of the client area and clicks.
click_at() { xdotool mousemove $((wx + $1)) $((wy + $2)) click 1; }

# Waits until the program has ended by itself and checks that it ended well.
await_end() {
  for _ in $(seq 100); do
    kill -0 $gpid 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 $gpid 2>/dev/null; then
    echo "the program did not end on $1"; fail=1
  else
    wait $gpid
    local rc=$?
    [ $rc -eq 0 ] || { echo "the program ended with $rc"; cat "$work/err"; fail=1; }
  fi
}

# The file of a screenshot by its name: $work/SHOT.png, else the dump $work/SHOT.xwd.
shot_file() { if [ -e "$work/$1.png" ]; then echo "$work/$1.png"; else echo "xwd:$work/$1.xwd"; fi; }
# Keeps the window's part of a screenshot in the folder VORAK_SMOKE_SHOTS names, when it names one.
keep() {  # SHOT NAME
  [ -n "${VORAK_SMOKE_SHOTS:-}" ] || return 0
  /usr/bin/convert "$(shot_file "$1")" -crop "800x600+$wx+$wy" +repage "$VORAK_SMOKE_SHOTS/$2"
}
# Pixels of a client rectangle of a screenshot that differ from a picture's rectangle.
differs_from() {  # SHOT X Y W H PICTURE PX PY
  /usr/bin/convert "$(shot_file "$1")" -crop "$4x$5+$((wx + $2))+$((wy + $3))" +repage "$work/a.png"
  /usr/bin/convert "$6" -crop "$4x$5+$7+$8" +repage "$work/b.png"
  local n
  n=$(/usr/bin/compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1)
  echo "${n%%.*}"
}

# How many pixels of a client rectangle differ between two screenshots (files, or xwd:files).
diff_at() {  # SHOT1 SHOT2 X Y W H
  /usr/bin/convert "$1" -crop "$5x$6+$((wx + $3))+$((wy + $4))" +repage "$work/a.png"
  /usr/bin/convert "$2" -crop "$5x$6+$((wx + $3))+$((wy + $4))" +repage "$work/b.png"
  local n
  n=$(/usr/bin/compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1)
  echo "${n%%.*}"
}

# A program of the build's tests that stages scenes (tests/smoke/staging.h) runs in the game
# folder in the program's place.
use_stager() {  # BUILD NAME
  [ -x "$1/tests/$2" ] || { echo "missing $1/tests/$2"; exit 1; }
  cp "$1/tests/$2" "$work/game/"
  game="$work/game/$2"
}
# Waits for a line of the program's output matching a pattern, after its first FROM lines.
await_line() {  # PATTERN [FROM]
  for _ in $(seq 400); do
    tail -n +"$((${2:-0} + 1))" "$work/out" | grep -q -- "$1" && return 0
    sleep 0.05
  done
  echo "never saw '$1'; the program said:"
  cat "$work/out" "$work/err"
  fail=1
  return 1
}
await_scene() { await_line "^SCENE $1\$"; }
# Asks the stager for its next scene and waits for it.
next_scene() {  # NAME
  touch "$work/game/next"
  await_scene "$1"
}
# The middle of the window, where the dialogs open, differs from a screenshot (or matches it).
middle_differs() { [ "$(diff_at "$work/$1.png" "$work/shot.png" 250 200 300 200)" -gt 2000 ]; }
middle_matches() { [ "$(diff_at "$work/$1.png" "$work/shot.png" 250 200 300 200)" -lt 200 ]; }
# A drag with the left button, in five steps (client coordinates).
drag() {  # FROM_X FROM_Y TO_X TO_Y
  xdotool mousemove $((wx + $1)) $((wy + $2)) mousedown 1
  for i in 1 2 3 4 5; do
    xdotool mousemove $((wx + $1 + ($3 - $1) * i / 5)) $((wy + $2 + ($4 - $2) * i / 5))
    sleep 0.05
  done
  xdotool mouseup 1
}
