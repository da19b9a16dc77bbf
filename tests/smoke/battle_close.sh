#!/usr/bin/env bash
# The window manager closes the real window while a battle waits for the human: the program
# ends at once with status 0 and its settings saved, and the battle never goes on. Starts its
# own X server on a free display and ends only the processes it started.
# VORAK_SMOKE_SHOTS=folder keeps the screenshot of the battle before the close.
set -uo pipefail
build=${1:?build directory}
source "$(dirname "$0")/../support/game_window.sh"
copy_game "$build" wmctrl
use_stager "$build" vorak-battle-close
fail=0

start_x
start_game
next_scene battle || exit 1
# The battle's first round asks the human (seat 1, ピンク) for a command.
await_line "^MSG .*ピンク.*のターン" || exit 1
sleep 0.5
shot battle
keep battle battle-close.png
# What openbox does for its close button: a polite request to the window, not a kill.
wmctrl -i -c "$wid"
await_end "a close by the window manager in a battle"
[ -s "$work/game/Vorak-Dat/Vorak.Vrk" ] || { echo "the settings were not saved"; fail=1; }
if grep -q "^SCENE battle-done" "$work/out"; then echo "the battle went on after the close"; fail=1; fi
if grep -qi "error\|sanitizer" "$work/err"; then echo "the program complained:"; cat "$work/err"; fail=1; fi
[ $fail -eq 0 ] && echo "the close in a battle ended the program cleanly"
exit $fail
