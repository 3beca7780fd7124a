#!/usr/bin/env bash
# Installs what building and testing need on Debian, if anything is missing:
# the mingw-w64 i686 cross compiler, Wine with 32-bit support, Xvfb, a
# Japanese locale and font, and the independent checkers used by tests.
set -euo pipefail

packages=(
  cmake make g++-mingw-w64-i686-posix googletest
  wine wine32:i386 wine64
  xvfb x11-utils x11-apps imagemagick
  locales fonts-ipafont-gothic
  liblnk-utils cpuid
)

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Without the generated locale Wine gets code page 932 but cannot open
# files with Japanese names.
for loc in ja_JP en_US; do
  if ! locale -a 2>/dev/null | grep -qx "$loc.utf8"; then
    as_root sed -i "s/^# *\($loc.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -qx "$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
  fi
done
