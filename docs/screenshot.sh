#!/bin/sh
# Takes docs/form1.png: the main window under a virtual X server. There is no
# window manager, so the window sits at the top left without a title bar and the
# picture is the screen trimmed of its black background.
# Usage: docs/screenshot.sh [path/to/fernhollow]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
exe=${1:-"$here/../build/fernhollow"}
out="$here/form1.png"

xvfb-run -a -s "-screen 0 1024x600x24" sh -c '
    "$1" &
    pid=$!
    sleep 3
    import -window root "$2"
    kill "$pid"
' sh "$exe" "$out"
convert "$out" -trim +repage "$out"
echo "wrote $out"
