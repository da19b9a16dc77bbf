#!/usr/bin/env bash
# The real program under Xvfb: a game is started, saved at the human's dice menu under a Japanese
# name typed into the dialog's text box, and the program quits; started again, it loads that slot
# from the title and the game goes on at the seat it was saved at. Every step waits for what the
# window shows. Starts its own X server on a free display and ends only the processes it started.
# VORAK_SMOKE_SHOTS=folder keeps the screenshots of the dialog in both modes.
set -uo pipefail
build=${1:?build directory}
source "$(dirname "$0")/../support/game_window.sh"
copy_game "$build" xmodmap /usr/bin/compare
fail=0

# The human plays first, one computer after it, the speeds at their fastest.
mkdir -p "$work/game/Vorak-Dat"
printf '[PLAYER]\r\n0=1\r\n1=2\r\n2=0\r\n3=0\r\n[SPEED]\r\nMSG=0.01\r\nATK=0.01\r\nETC=0.01\r\n[MAP]\r\nNOW=1\r\n' \
  >"$work/game/Vorak-Dat/Vorak.Vrk"

# The k-th of n right-aligned top-bar buttons, and the face column of a button in PicEnd.
button_x() { echo $((800 - 3 - 55 * $2 + 55 * $1 + 27)); }
face() { asset PicEnd.png $((55 * $1 + 27)) 9; }
# The dialog: 400 x 364 inside a 3-pixel edge, centred in the window; its banner names the mode.
dx=$(((800 - 406) / 2 + 3)) dy=$(((600 - 370) / 2 + 3))
banner() { pixel_is $((dx + 1)) $((dy + 1)) "$(asset "LoadTitle$1.png" 1 1)"; }
dialog_gone() { ! banner 0 && ! banner 1; }
game_bar() { pixel_is "$(button_x 0 4)" 12 "$(face 7)"; }   # "保存" first
title_bar() { pixel_is "$(button_x 0 8)" 12 "$(face 0)"; }  # "開始" first

start_x
# A US keyboard has no Japanese: spare keycodes get the slot name's characters before the program
# reads the keymap, so each key types one of them as text (a remap while it runs would race).
name=(U5192 U967A U306E U66F8)  # 冒険の書
spare=($(xmodmap -pke | awk 'NF == 3 { print $2 }' | head -n ${#name[@]}))
for i in "${!name[@]}"; do xmodmap -e "keycode ${spare[i]} = ${name[i]}"; done
slot="冒険の書1"

start_game
await "the title screen" title_bar || exit 1
click_at "$(button_x 0 8)" 12
await "the game" game_bar || exit 1
# "保存" is enabled only while the human is asked; until then a press does nothing.
for _ in $(seq 60); do
  shot before
  click_at "$(button_x 0 4)" 12
  sleep 0.5
  shot
  banner 1 && break
done
banner 1 || { echo "the save dialog did not open"; exit 1; }
xdotool key --delay 80 "${name[@]}"
xdotool type --delay 40 1
sleep 1
shot save
keep save save-dialog.png
xdotool key Return
dat="$work/game/Vorak-Dat"
await "the saved slot" test -f "$dat/$slot.Mon"
sleep 0.5
shot saved
keep saved save-done.png
xdotool key Return  # the box that says it was saved
await "the dialog to close" dialog_gone
for ext in MAP DAT Mon; do [ -s "$dat/$slot.$ext" ] || { echo "missing $slot.$ext"; fail=1; }; done
grep -q "^TURNNM=" "$dat/$slot.DAT" || { echo "the game state has no turn"; fail=1; }

# "戻る", then "終了" on the title.
click_at "$(button_x 3 4)" 12
await "the title again" title_bar || exit 1
click_at "$(button_x 7 8)" 12
await_end 終了

# Again: "読込み" lists the slot; the list's first line chosen and "開始" pressed.
start_game
await "the title screen" title_bar || exit 1
click_at "$(button_x 1 8)" 12
await "the load dialog" banner 0 || exit 1
click_at $((dx + 60)) $((dy + 32 + 12))
sleep 0.5
shot load
keep load load-dialog.png
xdotool key Return
await "the resumed game" game_bar || exit 1
await "the dialog to close" dialog_gone
# The resumed game asks the seat it was saved at: its panels, with the dice menu, show as they
# did when it was saved.
sleep 2
shot resumed
keep resumed resumed.png
n=$(diff_at "$work/before.png" "$work/resumed.png" 16 408 768 176)
[ "${n:-99999}" -lt 3000 ] || { echo "the resumed panels differ from the saved ones in $n pixels"; fail=1; }

click_at "$(button_x 3 4)" 12
await "the title again" title_bar
click_at "$(button_x 7 8)" 12
await_end 終了

[ $fail -eq 0 ] && echo "save and load smoke: ok"
exit $fail
