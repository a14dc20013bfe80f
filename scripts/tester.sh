#!/usr/bin/env bash
# Builds everything and runs every test. Optional argument: the preset,
# "defaut" (the default) or "sanitiseurs" (AddressSanitizer and
# UndefinedBehaviorSanitizer).
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
preset=${1:-defaut}
scripts/dependances.sh
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"
