#!/usr/bin/env bash
# The real program under its own Xvfb (openbox as window manager), measured from outside:
# for each soundfont, the time from launch to the first non-black picture on the X server
# (median, min and max of RUNS starts), the resident memory on the title once its music plays,
# and the processor time of the idle title with music; then the processor time of a modal
# message box that waits for a human, on the same X server.
#
#   bench/window_start.sh [GAME_FOLDER] [BUILD_FOLDER]
#
# GAME_FOLDER defaults to build/game (it is copied; the original stays untouched). RUNS (10),
# SETTLE (seconds on the title before memory and processor time are read, 4), IDLE (seconds
# of processor time measured, 10) and SOUNDFONTS (the installed Debian General MIDI ones) can
# be set in the environment. Ends only the processes it started.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
game_src=${1:-$root/build/game}
build=${2:-$root/build}
probe="$build/bench/first-frame-probe"
runs=${RUNS:-10}
settle=${SETTLE:-4}
idle=${IDLE:-10}
if [ -z "${SOUNDFONTS:-}" ]; then
  SOUNDFONTS=""
  for f in /usr/share/sounds/sf2/TimGM6mb.sf2 /usr/share/sounds/sf2/FluidR3_GM.sf2; do
    [ -f "$f" ] && SOUNDFONTS="$SOUNDFONTS $f"
  done
fi
[ -x "$game_src/vorak-talmor" ] || { echo "missing $game_src/vorak-talmor (scripts/build.sh builds it)"; exit 1; }
for p in "$probe" "$build/bench/bench_ui"; do
  [ -x "$p" ] || { echo "missing $p (scripts/build.sh builds it)"; exit 1; }
done
for tool in Xvfb openbox; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh installs it)"; exit 1; }
done

source "$root/tests/support/xserver.sh"
start_x
# Without a sound device the game plays no music: SDL's dummy driver stands in for one.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

cp -r "$game_src" "$work/game"
rm -rf "$work/game/Vorak-Dat"
game="$work/game/vorak-talmor"
hz=$(getconf CLK_TCK)

# Processor time (user + system, all threads) of a process in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
rss_mb() { awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status" 2>/dev/null; }
stop() {
  kill "$1" 2>/dev/null
  for _ in $(seq 100); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.05
  done
  kill -9 "$1" 2>/dev/null
}
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) printf "%.0f (%.0f to %.0f)", (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[1], v[NR] }'; }
# Starts the game once: sets pid and ms (-1 when no picture came).
launch() {
  local out
  for _ in $(seq 100); do
    out=$("$probe" --log "$work/game.log" -- "$game" 2>"$work/probe.err") && break
    sleep 0.05  # the last window may still be on screen
  done
  read -r pid ms <<<"$out"
  [ -n "${pid:-}" ] || { echo "the probe failed:"; cat "$work/probe.err"; exit 1; }
}

echo "machine: $(nproc) cores, $(uname -r); game: $game_src"
for font in $SOUNDFONTS; do
  export VORAK_SOUNDFONT=$font
  name=$(basename "$font" .sf2)
  # Warm-up: the disk caches, and the levels of the music, which a first start measures and
  # keeps in the data folder (30 s at the most).
  levels() {
    local n
    n=$(grep -c '=' "$work/game/Vorak-Dat/MusicLevels.ini" 2>/dev/null)
    echo "${n:-0}"
  }
  want=$(($(levels) + $(find "$work/game/Vorak-Wav" -iname '*.mid' | wc -l)))
  launch
  for _ in $(seq 60); do
    [ "$(levels)" -ge "$want" ] && break
    sleep 0.5
  done
  stop "$pid"
  : >"$work/ms"
  : >"$work/rss"
  for _ in $(seq "$runs"); do
    launch
    echo "$ms" >>"$work/ms"
    sleep "$settle"
    rss_mb "$pid" >>"$work/rss"
    echo >>"$work/rss"
    stop "$pid"
  done
  launch
  sleep "$settle"
  t0=$(ticks "$pid")
  sleep "$idle"
  t1=$(ticks "$pid")
  stop "$pid"
  cpu=$(awk -v a="$t0" -v b="$t1" -v hz="$hz" -v s="$idle" 'BEGIN { printf "%.2f", 100 * (b - a) / hz / s }')
  echo "$name: first frame $(median <"$work/ms") ms; title RSS $(grep . "$work/rss" | median) MB; idle title with music ${cpu} % of a core"
done
unset VORAK_SOUNDFONT

# A modal message box with nothing playing, on the same X server (the benchmark's own window).
"$build/bench/bench_ui" --benchmark_filter='ModalMessageBoxWaitSdl' --benchmark_counters_tabular=true 2>/dev/null |
  awk '/^BM_ModalMessageBoxWaitSdl/ { printf "modal message box waiting for 2 s: %.2f %% of a core\n", $NF }'
