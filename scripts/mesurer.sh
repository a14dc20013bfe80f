#!/usr/bin/env bash
# Builds the optimised tree and runs every benchmark under bench/, one after the
# other (timings are only meaningful on an otherwise idle machine). Extra
# arguments go to each benchmark, e.g. --benchmark_repetitions=3.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
scripts/dependances.sh
cmake --preset defaut
cmake --build --preset defaut
for banc in build/defaut/bench/banc_*; do
  [ -x "$banc" ] || continue
  echo "== $(basename "$banc")"
  "$banc" "$@"
done
