#!/usr/bin/env bash
# Fails when a source folder includes a header of a folder above it. The order, lowest first:
# platform, data, system, engine and presentation (which call each other), screens, program.
# The recorded exceptions are in docs/decisions.md.
set -euo pipefail
cd "$(dirname "$0")/../src"
rank() {
  case $1 in
    platform | gfx | ui | media | sys | backend) echo 0 ;;
    data) echo 1 ;;
    system) echo 2 ;;
    engine | presentation) echo 3 ;;
    screens) echo 4 ;;
    program) echo 5 ;;
    *) echo -1 ;;
  esac
}
allowed() {  # from-folder included-header
  case "$1 $2" in
    "data system/utility.h" | "data system/random.h") return 0 ;;
  esac
  return 1
}
bad=0
while IFS=: read -r file _ line; do
  file=${file#./}
  from=${file%%/*}
  header=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$line")
  to=${header%%/*}
  [ "$to" = "$header" ] && continue  # a header beside the source
  rf=$(rank "$from")
  rt=$(rank "$to")
  [ "$rt" -lt 0 ] && continue
  [ "$from" = main.cpp ] && continue  # the program itself stands on everything
  if [ "$rt" -gt "$rf" ] && ! allowed "$from" "$header"; then
    echo "$file includes $header: $from may not depend on $to"
    bad=1
  fi
done < <(grep -rn '#include "' --include='*.h' --include='*.cpp' .)
[ $bad -eq 0 ] && echo "include order: ok"
exit $bad
