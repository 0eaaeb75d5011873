#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and opens the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
bash scripts/build.sh default
exec build/app/corvanet "$@"
