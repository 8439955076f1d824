#!/usr/bin/env bash
# Configures and builds into build/ (BUILD_DIR overrides; WERROR=ON makes
# warnings errors, as CI builds).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dipendenze.sh
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} -DMISTREL_WERROR=${WERROR:-OFF} >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)" "$@"
