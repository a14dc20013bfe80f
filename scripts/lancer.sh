#!/usr/bin/env bash
# Builds the tool and runs it.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
scripts/dependances.sh
cmake --preset defaut >/dev/null
cmake --build --preset defaut --target talvane
exec build/defaut/talvane/talvane
