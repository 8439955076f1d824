#!/usr/bin/env bash
# Builds the program and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh --target Mistrel2013
BUILD_DIR=${BUILD_DIR:-build}
exec "$BUILD_DIR/program/Mistrel2013" "$@"
