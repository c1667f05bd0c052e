#!/usr/bin/env bash
# Builds the Debian package of Fernhollow into the build folder (default: build) and checks it:
# its files, its dependencies, its menu entry, its manual page, that the packaged program runs,
# and that lintian finds no error or warning.
# Usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
if ! command -v lintian >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends lintian
fi

dir=${1:-build}
cmake -S . -B "$dir" -G Ninja
cmake --build "$dir" --target fernhollow fernhollow_drawing fernhollow_windows fernhollow_docs
(cd "$dir" && cpack)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
deb="$dir/fernhollow_${version}_$(dpkg --print-architecture).deb"
fail() { echo "package.sh: $deb: $*" >&2; exit 1; }

files=$(dpkg-deb -c "$deb")
modules=./usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/fernhollow
for f in ./usr/bin/fernhollow "$modules"/fernhollow-drawing.so "$modules"/fernhollow-windows.so \
         ./usr/share/applications/fernhollow.desktop \
         ./usr/share/icons/hicolor/scalable/apps/fernhollow.svg ./usr/share/mime/packages/fernhollow.xml \
         ./usr/share/man/man1/fernhollow.1.gz ./usr/share/doc/fernhollow/copyright \
         ./usr/share/doc/fernhollow/changelog.gz; do
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
# The modules are found from the installed executable: a chart is drawn, and without a
# display the windows' module answers for itself.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/fernhollow" chart examples/greenhouse.fhp -o "$root/chart.svg" ||
  fail "the packaged program draws no chart"
said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/fernhollow" 2>&1 || true)
grep -q '^fernhollow: cannot open the window: no display' <<<"$said" || fail "the packaged program has no windows"
# A command added to the program and forgotten in the manual page, or a release
# without its changelog entry.
manual=$(zcat "$root/usr/share/man/man1/fernhollow.1.gz")
for c in $("$root/usr/bin/fernhollow" --help | sed -n 's/^  \([a-z]\+\) .*/\1/p'); do
  grep -q "^\\\\fB$c\\\\fR" <<<"$manual" || fail "its manual page misses the command $c"
done
latest=$(zcat "$root/usr/share/doc/fernhollow/changelog.gz" | sed -n 1p)
[[ $latest == "fernhollow ($version) "* ]] || fail "its changelog has no entry for $version"
lintian --fail-on error,warning "$deb" || fail "lintian finds fault"
echo "built $deb"
