#!/usr/bin/env bash
# Message lines scroll step by step on the real screen: while a second line is written into a
# slowed message window, screenshots of the X server must show the first line at several
# heights on its way up, and the program must have presented a frame for most of the steps. Starts its own X server and ends
# only the processes it started.
set -uo pipefail
build=${1:?build directory}
prog="$build/tools/uismoke/vorak-uismoke"
[ -x "$prog" ] || { echo "missing $prog"; exit 1; }
for tool in Xvfb openbox xwd /usr/bin/convert md5sum; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh installs it)"; exit 1; }
done

source "$(dirname "$0")/../support/xserver.sh"
start_x

mkfifo "$work/in"
"$prog" <"$work/in" >"$work/out" 2>"$work/err" &
pids+=($!)
exec 3>"$work/in"

for _ in $(seq 200); do grep -q '^READY' "$work/out" && break; sleep 0.05; done
read -r _ x y <<<"$(grep '^READY' "$work/out" | head -n1)"
[ -n "${x:-}" ] || { echo "no READY; program said:"; cat "$work/out" "$work/err"; exit 1; }

# The message window's place on the desktop: 16,344 inside the play area at 0,24.
crop="768x32+$((x + 16))+$((y + 24 + 344))"
echo message >&3
for _ in $(seq 200); do grep -q '^PRESENTS' "$work/out" && break; sleep 0.05; done
grep -q '^PRESENTS' "$work/out" || { echo "the first line never finished"; cat "$work/err"; exit 1; }
echo message >&3
shots=0
for _ in $(seq 120); do
  xwd -root -silent | /usr/bin/convert xwd:- -crop "$crop" +repage "rgb:$work/s$shots.rgb"
  [ -n "${KEEP_SHOTS:-}" ] && /usr/bin/convert -size 768x32 -depth 8 "rgb:$work/s$shots.rgb" "$KEEP_SHOTS/s$shots.png"
  shots=$((shots + 1))
  [ "$(grep -c '^PRESENTS' "$work/out")" -ge 2 ] && break
  sleep 0.03
done
presents=$(grep '^PRESENTS' "$work/out" | sed -n 2p | awk '{print $2}')
distinct=$(md5sum "$work"/s*.rgb | awk '{print $1}' | sort -u | wc -l)
echo "shots $shots, distinct pictures of the line $distinct, frames presented $presents"
fail=0
[ -n "$presents" ] || { echo "the line never finished"; cat "$work/err"; fail=1; }
# 33 steps of 60 ms: a frame for nearly every step.
[ -n "$presents" ] && [ "$presents" -ge 20 ] || { echo "too few frames presented while scrolling"; fail=1; }
# The first line in place, then on its way up at several heights.
[ "$distinct" -ge 4 ] || { echo "the screen did not show the line moving"; fail=1; }
echo quit >&3
[ $fail -eq 0 ] && echo "scroll steps smoke: ok"
exit $fail
