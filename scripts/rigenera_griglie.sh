#!/usr/bin/env bash
# Rewrites the expected grids of the pinned whole runs
# (tests/selection/griglie/*.txt) from the program as it now rates. Run it on
# purpose only, after a deliberate change of the ratings or of the sample
# catalogue, and review the difference (git diff) before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
bash scripts/build.sh --target test_selection
QT_QPA_PLATFORM=offscreen MISTREL_RIGENERA_GRIGLIE=1 \
  "$BUILD_DIR/tests/test_selection" --gtest_filter='Serie/GriglieAttese.*'
git status --short tests/selection/griglie
