#!/usr/bin/env bash
# Builds the Debian package and checks it without touching the system: its
# fields and files, that lintian finds neither an error nor a warning in it,
# that its AppStream metadata and desktop file validate, that its changelog
# and manual pages match the programs, that apt can resolve every dependency,
# that the libraries its programs link against belong to packages it depends
# on, and that the corvanet-cli unpacked into a temporary folder runs the
# worked figure.
#
#   check-package.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
fail() { echo "check-package: $*" >&2; exit 1; }

log=$(mktemp)
(cd "$build_dir" && cpack -G DEB) >"$log" 2>&1 || { cat "$log" >&2; rm -f "$log"; fail "cpack failed"; }
rm -f "$log"
deb=$(ls -t "$build_dir"/corvanet_*.deb | head -1)
echo "Package: $deb"

[ "$(dpkg-deb --field "$deb" Package)" = corvanet ] || fail "the package is not named corvanet"
[ "$(dpkg-deb --field "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "wrong architecture"
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"

files=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for f in ./usr/bin/corvanet ./usr/bin/corvanet-cli \
         ./usr/share/applications/org.corvanet.Corvanet.desktop \
         ./usr/share/metainfo/org.corvanet.Corvanet.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/corvanet.svg \
         ./usr/share/man/man1/corvanet.1.gz ./usr/share/man/man1/corvanet-cli.1.gz \
         ./usr/share/doc/corvanet/copyright ./usr/share/doc/corvanet/changelog.gz; do
  grep -qx -- "$f" <<<"$files" || fail "$f is not in the package"
done

# Debian's own rules. Infos (hardening hints, the .comment section that
# strip keeps) are printed but do not fail the check.
lintian_out=$(lintian --allow-root --display-info --fail-on error,warning "$deb" 2>&1) || {
  echo "$lintian_out" >&2
  fail "lintian reports errors or warnings"
}
[ -z "$lintian_out" ] || echo "$lintian_out"

# apt resolves the package's dependencies as it would to install it: the
# simulation changes nothing on the system.
simulation=$(apt-get install --simulate --quiet --no-install-recommends "$(realpath "$deb")" 2>&1) || {
  echo "$simulation" >&2
  fail "apt cannot resolve the package's dependencies"
}

# The names Depends gives, each alternative included, for the library check below.
declare -A depended=()
for name in $(sed -E 's/\([^)]*\)//g; s/[,|]/ /g' <<<"$depends"); do depended[$name]=1; done

# The package that owns a library file, under any of its names (/lib is
# /usr/lib on a merged system, and dpkg knows only the name it unpacked).
owner_of() {
  local real
  real=$(realpath "$1")
  for name in "$1" "$real" "${real#/usr}" "/usr$1"; do
    dpkg -S "$name" 2>/dev/null | head -1 | cut -d: -f1 && return 0
  done
  return 1
}

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"

# The metadata software centres read, with the desktop file it launches.
appstream_out=$(appstreamcli validate-tree --no-net "$unpacked" 2>&1) || {
  echo "$appstream_out" >&2
  fail "appstreamcli does not accept the package's metadata"
}

version=$(dpkg-deb --field "$deb" Version)
changelog_version=$(zcat "$unpacked"/usr/share/doc/corvanet/changelog.gz | dpkg-parsechangelog -l- -SVersion)
[ "$changelog_version" = "$version" ] ||
  fail "the changelog's latest entry is $changelog_version, the package is $version"
release=$(grep -m1 -oP '<release version="\K[^"]+' "$unpacked"/usr/share/metainfo/org.corvanet.Corvanet.metainfo.xml)
[ "$release" = "$version" ] || fail "the metadata's latest release is ${release:-missing}, the package is $version"

# Each manual page renders without a warning, and corvanet-cli's names every
# option its --help lists.
for page in "$unpacked"/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$warnings" >&2; fail "${page##*/} has errors"; }
done
manual=$(zcat "$unpacked"/usr/share/man/man1/corvanet-cli.1.gz)
help_options=$("$unpacked"/usr/bin/corvanet-cli --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)
[ -n "$help_options" ] || fail "corvanet-cli --help lists no option"
for option in $help_options; do
  grep -qF -- "${option//-/\\-}" <<<"$manual" || fail "the manual page of corvanet-cli does not describe $option"
done

# Every library a program links against comes from a package in Depends.
for program in "$unpacked"/usr/bin/*; do
  while read -r library path; do
    owner=$(owner_of "$path") ||
      fail "no package owns $path, which ${program##*/} needs"
    [ -n "${depended[$owner]:-}" ] || fail "${program##*/} needs $library from $owner, which Depends does not name"
  done < <(ldd "$program" | awk '$2 == "=>" && $3 ~ /^\// {print $1, $3}' |
           grep -F -f <(objdump -p "$program" | awk '/NEEDED/ {print $2}'))
done

# The window opens libcups when it prints, so only Depends can bring it.
[ -n "${depended[libcups2]:-}" ] || fail "Depends does not name libcups2, which the Print button opens"
objdump -p "$unpacked"/usr/bin/corvanet | grep -q 'NEEDED.*libcups' &&
  fail "corvanet links libcups, which then loads before the first frame"

out=$(printf '2500\n2600\n3000\n3000\n2450\n3550\nP1\n509.905\n412.308\n474.345\n' |
      "$unpacked"/usr/bin/corvanet-cli --json)
grep -q '"w": -2.759147882461548' <<<"$out" || fail "the packaged corvanet-cli gave a wrong figure"
grep -q '"Text25": "1/100162"' <<<"$out" || fail "the packaged corvanet-cli gave a wrong text"
echo "The package's dependencies resolve and its corvanet-cli runs the worked figure."
