#!/usr/bin/env bash
# Builds the Debian package of Fernhollow into the build folder (default: build) and checks it:
# its files, its dependencies, its menu entry, and that the packaged program runs.
# Usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh

dir=${1:-build}
cmake -S . -B "$dir" -G Ninja
cmake --build "$dir" --target fernhollow
(cd "$dir" && cpack)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
deb="$dir/fernhollow_${version}_$(dpkg --print-architecture).deb"
fail() { echo "package.sh: $deb: $*" >&2; exit 1; }

files=$(dpkg-deb -c "$deb")
for f in ./usr/bin/fernhollow ./usr/share/applications/fernhollow.desktop \
         ./usr/share/icons/hicolor/scalable/apps/fernhollow.svg ./usr/share/mime/packages/fernhollow.xml; do
  grep -q " $f\$" <<<"$files" || fail "holds no $f"
done

depends=$(dpkg-deb -f "$deb" Depends)
for p in fonts-liberation libqt6svg6 libqt6widgets6 libc6; do
  grep -Eq "(^|, )$p( |,|\$)" <<<"$depends" || fail "does not depend on $p: $depends"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/fernhollow.desktop"
[ "$("$root/usr/bin/fernhollow" check 'L,15:22:00,2/4/6,on')" = "L,15:22:00,2/4/6,ON" ] ||
  fail "the packaged program does not run"
echo "built $deb"
