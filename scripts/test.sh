#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and runs every test: once in the
# ordinary build, once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
export QT_QPA_PLATFORM=offscreen
bash scripts/build.sh default
ctest --preset default -j2
if [ "${CORVANET_SKIP_SANITIZE:-0}" != 1 ]; then
  bash scripts/build.sh sanitize
  ctest --preset sanitize -j2
fi
# The Debian package installs and its corvanet-cli runs the worked figure.
bash scripts/check-package.sh
