#!/usr/bin/env bash
# The long run of damaged files: thousands of each kind through the program's load paths under
# AddressSanitizer and UndefinedBehaviorSanitizer, in chunks of 500, each a process of its own,
# several at once. Prints each kind's totals; a chunk that crashed is listed with the input that
# did it (kept in the work folder) and the command that replays it alone (the rest of that chunk
# is not tried).
#   tools/damaged/long-run.sh [COUNT per kind, default 3000] [SEED, default 1] [JOBS, default 4] [KINDS]
# KINDS: some of "map monsters saved-game settings slot wav midi png" (default all of them).
set -uo pipefail
cd "$(dirname "$0")/../.."
count=${1:-3000}
seed=${2:-1}
jobs=${3:-4}
chunk=500
scripts/build.sh --sanitize >/dev/null || exit 1
tool=$PWD/build-asan/tools/damaged/vorak-damaged
work=$(mktemp -d /tmp/vorak-damaged.XXXXXX)
read -r -a kinds <<<"${4:-map monsters saved-game settings slot wav midi png}"

run_chunk() {  # KIND FIRST COUNT
  local name="$work/$1-$2"
  "$tool" --kind "$1" --seed "$seed" --first "$2" --count "$3" --keep "$name.input" >"$name.out" 2>"$name.err"
  echo $? >"$name.rc"
}
export -f run_chunk
export work tool seed
for kind in "${kinds[@]}"; do
  for ((first = 0; first < count; first += chunk)); do
    echo "$kind $first $((count - first < chunk ? count - first : chunk))"
  done
done | xargs -P "$jobs" -L 1 bash -c 'run_chunk "$@"' _

crashed=0
for kind in "${kinds[@]}"; do
  cat "$work/$kind"-*.out 2>/dev/null | awk -v kind="$kind" -v seed="$seed" '
    /^[a-z-]+ +seed/ { tried += $4; read += $6; refused += $8; played += $10; faults += $12 }
    /^  / { print }
    END { printf "%-10s seed %s: %d tried, %d read, %d refused, %d played, %d faults\n", kind, seed, tried, read, refused, played, faults }'
  for rc in "$work/$kind"-*.rc; do
    [ "$(cat "$rc")" -le 1 ] && continue
    base=${rc%.rc}
    at=$(cat "$base.input.index" 2>/dev/null)
    echo "  CRASH in ${base##*/} at input $at: $tool --kind $kind --seed $seed --first $at --count 1"
    echo "  its input: $base.input; the report: $base.err"
    crashed=$((crashed + 1))
  done
done
echo "work folder: $work"
[ $crashed -eq 0 ]
