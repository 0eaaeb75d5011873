#!/usr/bin/env bash
# Installs what building, running and testing Corvanet needs on Debian 12.
# Safe to run again: packages already present are skipped.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config dpkg-dev
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcsv-dev libfmt-dev
  fonts-arphic-uming fonts-liberation fonts-dejavu-core
  libcups2-dev
  # the job file: Qt SQL's SQLite driver; sqlite3 for reading jobs in the tests and by hand
  libqt6sql6-sqlite sqlite3
  poppler-utils xvfb xauth
  clang libclang-rt-14-dev llvm-14
  # the package check: dpkg-shlibdeps needs file; lintian, appstreamcli and man read the package
  file lintian appstream man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
