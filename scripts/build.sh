#!/usr/bin/env bash
# Configures and builds into build/ (or $CORVANET_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${CORVANET_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja "$@"
cmake --build "$build_dir"
