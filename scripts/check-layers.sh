#!/usr/bin/env bash
# Fails when an include under src/ runs against the layers, lowest first:
#   platform, language, compiler, files | simulation | chart, checks, session, draw,
#   gui | cli, app
# A folder may include its own headers and those of lower layers; the three
# subsystems of one layer stay apart. platform/qt sees only the platform and Qt,
# platform/doubles only the platform, and the core (everything below gui) no Qt.
# Usage: scripts/check-layers.sh [SRC_DIR]
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}

rank() {
  case $1 in
    platform/qt | platform/doubles) echo 0 ;;
    platform) echo 0 ;;
    language) echo 1 ;;
    compiler) echo 2 ;;
    files | simulation | chart) echo 3 ;;
    checks) echo 4 ;;
    session) echo 5 ;;
    draw) echo 6 ;;
    gui | cli) echo 7 ;;
    app) echo 8 ;;
    *) echo 99 ;;
  esac
}

# The folder of a source path, with platform/qt and platform/doubles kept apart.
folder() {
  case $1 in
    platform/qt/*) echo platform/qt ;;
    platform/doubles/*) echo platform/doubles ;;
    */*) echo "${1%%/*}" ;;
    *) echo . ;;
  esac
}

allowed() { # from to
  local from=$1 to=$2
  [ "$from" = "$to" ] && return 0
  case $from in
    platform/qt | platform/doubles) [ "$to" = platform ]; return ;;
  esac
  [ "$to" = platform/qt ] && [ "$(rank "$from")" -lt 6 ] && return 1
  [ "$to" = platform/doubles ] && return 1
  [ "$(rank "$to")" -lt "$(rank "$from")" ]
}

status=0
cd "$src"
while IFS= read -r file; do
  from=$(folder "$file")
  if [ "$(rank "$from")" = 99 ]; then
    echo "$file: in no layer" >&2
    status=1
    continue
  fi
  while IFS= read -r included; do
    path=${included:1:${#included}-2}
    # A project header is one whatever its brackets: <cli/commands.h> is cli's.
    if [[ $included == \"* ]] || { [[ $path == */* ]] && [ -d "${path%%/*}" ]; }; then
      to=$(folder "$path")
      if ! allowed "$from" "$to"; then
        echo "$file: includes $path, against the layers" >&2
        status=1
      fi
    elif [[ $included == \<Q* ]] && [ "$(rank "$from")" -lt 6 ] && [ "$from" != platform/qt ]; then
      echo "$file: includes Qt's $included in the core" >&2
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\([<"][^>"]*[>"]\).*/\1/p' "$file")
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's#^\./##' | sort)
exit $status
