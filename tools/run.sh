#!/usr/bin/env bash
# Starts build/swaypix.exe under Wine with the given arguments. On a
# display it simply runs there; without one it runs on a private Xvfb,
# saves a screenshot after a few seconds and ends the program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
export LANG=${RUN_LANG:-ja_JP.UTF-8}

if [ -n "${DISPLAY:-}" ]; then
  USE_DISPLAY=1 exec "$top/tools/wine-session.sh" wine "$top/build/swaypix.exe" "$@"
fi

shot=$top/build/screen.png
"$top/tools/wine-session.sh" bash -c '
  wine "$0" "$@" &
  sleep 4
  xwd -root -silent | /usr/bin/convert xwd:- "'"$shot"'"
' "$top/build/swaypix.exe" "$@"
echo "No display: swaypix.exe ran on a private Xvfb and has been ended."
echo "What it showed is in $shot"
