#!/usr/bin/env bash
# The set-up dialog and the About box at 150% scaling (LogPixels 144), as
# Xvfb renders them with the Japanese font, and the English set-up dialog
# as an English Windows shows it, into docs/: the pictures to look at for
# clipped texts. Needs xdotool to press the version button.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

# shoot LOCALE SETUP_PICTURE [ABOUT_TITLE ABOUT_PICTURE]
shoot() {
  LANG=$1 "$top/tools/wine-session.sh" bash -c '
    set -euo pipefail
    shot() { xwd -silent -id "$1" | /usr/bin/convert xwd:- "$2"; }
    window() { xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
    wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
    trap "wine reg delete \"HKCU\\\\Control Panel\\\\Desktop\" /v LogPixels /f >/dev/null 2>&1" EXIT
    wine "$0" &
    setup=$(window "^SWAYPIX$")
    sleep 2
    shot "$setup" "$1/$2"
    [ -n "$3" ] || exit 0
    xdotool key alt+a
    about=$(window "^$3$")
    sleep 2
    shot "$about" "$1/$4"
  ' "$top/build/swaypix.exe" "$top/docs" "$2" "${3:-}" "${4:-}"
}

shoot ja_JP.UTF-8 setup-dialog-144dpi.png "バージョン情報" about-box-144dpi.png
shoot en_US.UTF-8 setup-dialog-english-144dpi.png
echo "Pictures at 144 dpi: docs/setup-dialog-144dpi.png, docs/about-box-144dpi.png, docs/setup-dialog-english-144dpi.png"
