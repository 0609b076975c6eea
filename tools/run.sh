#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-packages.sh
echo "== Build"
cmake --preset dev >/dev/null
cmake --build --preset dev --parallel "$(nproc)" --target flurb-cards
echo "== Start"
exec build/dev/app/flurb-cards
