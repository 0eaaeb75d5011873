#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and opens the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
bash scripts/build.sh
build_dir=${CORVANET_BUILD_DIR:-build}
if [ -x "$build_dir/app/corvanet" ]; then
  exec "$build_dir/app/corvanet" "$@"
fi
printf '2500\n2600\n3000\n3000\n2450\n3550\nP1\n509.905\n412.308\n474.345\n' | "$build_dir/cli/corvanet-cli"
