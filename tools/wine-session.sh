#!/usr/bin/env bash
# Runs a command inside a quiet Wine session: a prefix of the project's
# own (made on first use), a wineserver kept alive for fast starts, and a
# private Xvfb display unless USE_DISPLAY=1 and $DISPLAY is set.
#
#   tools/wine-session.sh COMMAND [ARGS...]
#
# WINEPREFIX defaults to build/wineprefix. The prefix gets its own HOME,
# because Wine links Desktop and Documents into $HOME.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$top/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export HOME=$(dirname "$WINEPREFIX")/wine-home
mkdir -p "$HOME/Desktop" "$HOME/Documents"

# Whether a wineserver runs for this prefix: it works in a folder named
# after the prefix's device and inode (server-DEV-INODE, in hex).
prefix_server_running() {
  [ -d "$WINEPREFIX" ] || return 1
  local folder pid
  folder=$(stat -L -c '%d %i' "$WINEPREFIX" | { read -r dev ino; printf 'server-%x-%x' "$dev" "$ino"; })
  for pid in $(pgrep -x 'wineserver(64)?' || true); do
    case $(readlink "/proc/$pid/cwd" 2>/dev/null) in */"$folder") return 0 ;; esac
  done
  return 1
}

# Another session of this prefix (`make run` beside `make test` in one
# checkout) is left alone: its server, its programs and its display are
# not this session's to share or to end.
busy() {
  echo "wine-session: a Wine server already runs for $WINEPREFIX (another session of this checkout, such as make test?)." >&2
  echo "wine-session: leaving it alone; run this when it has ended, or in another prefix: WINEPREFIX=/some/new/prefix $0 ..." >&2
  exit 1
}
if prefix_server_running; then busy; fi

# Only what this session started is ended: from here on a server of this
# prefix is this session's, unless `wineserver -p` below finds one first.
own_server=1
xvfb_pid=
cleanup() {
  if [ -n "$own_server" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  # SWAYPIX_SCREENS=2 adds a second screen, joined to the first by
  # Xinerama (both at the origin, as Xvfb places them), which Wine reports
  # as a second monitor once RandR is off.
  local screens=(-screen 0 1024x768x24)
  if [ "${SWAYPIX_SCREENS:-1}" = 2 ]; then screens+=(-screen 1 800x600x24 +xinerama -extension RANDR); fi
  Xvfb -displayfd 3 "${screens[@]}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  local number
  read -r number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$number"
}

if [ "${USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
  :
else
  start_xvfb
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  if ! wineboot -i >/dev/null 2>&1; then
    echo "wine-session: wineboot failed; can this machine run 32-bit x86 programs? (tools/install-deps.sh sets that up)" >&2
    exit 1
  fi
  wineserver -w
  # The dialogs ask for these faces; IPA fonts have the glyphs.
  for face in 'ＭＳ Ｐゴシック' 'MS PGothic' 'ＭＳ ゴシック' 'MS Gothic' 'MS UI Gothic'; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAPGothic /f >/dev/null 2>&1
  done
  # Windows opens .txt files in Notepad; a fresh Wine prefix associates
  # nothing with them, so the report file would not open.
  wine reg add 'HKLM\Software\Classes\.txt' /ve /d txtfile /f >/dev/null 2>&1
  wineserver -w
fi

# Wine's own Marlett (the caption buttons) and Wingdings (the About box's
# link symbols) come with fonts-wine in a folder this Wine does not search,
# so they are linked into the prefix. Wine's mapper would give the About
# box's "Wingding" the first symbol font, Marlett; Windows gives Wingdings.
wine_fonts=/usr/share/wine/fonts
prefix_fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ -e "$wine_fonts/wingding.ttf" ] && [ ! -e "$prefix_fonts/wingding.ttf" ]; then
  mkdir -p "$prefix_fonts"
  ln -sf "$wine_fonts/marlett.ttf" "$wine_fonts/wingding.ttf" "$prefix_fonts/"
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Wingding /d Wingdings /f >/dev/null 2>&1
  wineserver -w
fi

# Exit status 2: a server of this prefix was started since the check above.
persistent=0
wineserver -p || persistent=$?
if [ "$persistent" = 2 ]; then own_server=; busy; fi
[ "$persistent" = 0 ] || exit "$persistent"
# No window manager under Xvfb: unmanaged windows hide at once. On a real
# desktop the window manager should decorate them.
managed=N
[ "${USE_DISPLAY:-0}" = 1 ] && managed=Y
# This first start also starts Wine's background services, with no pipe of
# ours: started later by a test they would inherit its output and keep a
# reader such as CTest waiting for end of file.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d $managed /f </dev/null >/dev/null 2>&1
"$@"
