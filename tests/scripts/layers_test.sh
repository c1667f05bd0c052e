#!/usr/bin/env bash
# The layer check on small planted trees: each include against the layers is caught,
# whatever its brackets, and an include along them passes.
set -euo pipefail
check=$(realpath "$1")
failed=0
plant() { # expected-status file include
  local tree
  tree=$(mktemp -d)
  mkdir -p "$tree"/{compiler,cli,language,chart,session}
  touch "$tree/cli/commands.h" "$tree/language/terms.h"
  echo "#include $3" >"$tree/$2"
  local status=0
  "$check" "$tree" 2>/dev/null || status=$?
  rm -rf "$tree"
  if [ "$status" -ne "$1" ]; then
    echo "$2 with $3: status $status, expected $1" >&2
    failed=1
  fi
}
plant 1 compiler/program.h '"cli/commands.h"'
plant 1 compiler/program.h '<cli/commands.h>'
plant 1 compiler/program.h '<QString>'
plant 0 compiler/program.h '<language/terms.h>'
plant 0 compiler/program.h '<vector>'
plant 0 cli/cli.cpp '<compiler/program.h>'
# The editor's state is the session's: the layers below never see it.
plant 1 chart/chart.cpp '"session/editor.h"'
plant 0 cli/cli.cpp '"session/session.h"'
exit $failed
