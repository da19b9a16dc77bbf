# Sourced by the smoke tests: a work folder, the processes to end on exit (only those we
# started), the small soundfont for the game, and start_x, which brings up Xvfb on a free
# display with openbox as window manager.
work=$(mktemp -d)
pids=()
# The small General MIDI soundfont, whatever else the machine has (the test command installs it).
export VORAK_SOUNDFONT=/usr/share/sounds/sf2/TimGM6mb.sf2
smoke_cleanup() {
  exec 3>&- 2>/dev/null
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  # A process that does not end within a few seconds of being asked (a loaded machine has been
  # seen to leave one hanging) is ended outright; ours only, by the PIDs we started.
  for p in "${pids[@]}"; do
    for _ in $(seq 50); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$p" 2>/dev/null
    wait "$p" 2>/dev/null
  done
  rm -rf "$work"
}
trap smoke_cleanup EXIT

start_x() {
  # The server picks a free display number itself, so parallel runs never collide.
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$work/display" >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  local n=""
  for _ in $(seq 200); do
    n=$(head -n1 "$work/display" 2>/dev/null)
    [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  [ -n "$n" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
  export DISPLAY=":$n"
  unset SDL_VIDEODRIVER
  openbox >"$work/openbox.log" 2>&1 &
  pids+=($!)
  sleep 0.5
}
