#!/usr/bin/env bash
# Builds the Debian package, installs it with its dependencies, runs the
# installed corvanet-cli on the worked figure, and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build_dir"/corvanet_*.deb | head -1)
echo "Package: $deb"
dpkg-deb --field "$deb" Package Version Depends
dpkg-deb --contents "$deb" | awk '{print $6}' | grep -E 'bin/corvanet|applications/corvanet.desktop|corvanet.svg'
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "./$deb" >/dev/null
trap 'apt-get remove -y -qq corvanet >/dev/null' EXIT
out=$(printf '2500\n2600\n3000\n3000\n2450\n3550\nP1\n509.905\n412.308\n474.345\n' | /usr/bin/corvanet-cli --json)
echo "$out" | grep -q '"w": -2.759147882461548' || { echo "installed corvanet-cli gave a wrong figure"; exit 1; }
echo "$out" | grep -q '"Text25": "1/100162"' || { echo "installed corvanet-cli gave a wrong text"; exit 1; }
test -x /usr/bin/corvanet || { echo "corvanet is not installed in /usr/bin"; exit 1; }
echo "Installed package runs the worked figure."
