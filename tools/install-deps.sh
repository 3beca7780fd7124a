#!/usr/bin/env bash
# Installs what building and testing need on Debian, if anything is missing:
# the mingw-w64 i686 cross compiler, Wine with 32-bit support and its own
# fonts (Marlett draws the caption buttons, Wingdings the About box's link
# symbols; Wine only recommends them), Xvfb, a Japanese locale and font,
# the independent checkers used by tests, and zip and unzip for the release.
set -euo pipefail

packages=(
  cmake make g++-mingw-w64-i686-posix googletest
  wine wine32:i386 wine64 fonts-wine
  xvfb x11-utils x11-apps imagemagick xdotool
  locales fonts-ipafont-gothic
  liblnk-utils cpuid zip unzip
)

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# A mirror caught mid-sync fails one index; try again, then go on with the
# indexes that were read: the packages needed are in the main suite.
update_indexes() {
  as_root apt-get update -q || { sleep 10; as_root apt-get update -q; } ||
    echo "Some package indexes could not be read; going on without them"
}

# Without one suite's i386 index the 64-bit and 32-bit copies of a library
# can only be at one version in the release's own suite: ask for it there.
install_packages() {
  local apt=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends)
  as_root "${apt[@]}" "$@" ||
    as_root "${apt[@]}" -t "$(. /etc/os-release && echo "$VERSION_CODENAME")" "$@"
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  update_indexes
  install_packages "${missing[@]}"
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

# Some virtual machines cannot run 32-bit x86 code at all (the kernel
# refuses i386 programs and a 32-bit code segment faults), so neither
# Wine's 32-bit loader nor the programs can run natively. There the i386
# loader runs under user-mode emulation. Bookworm's own emulator takes
# about 50 s to start each Wine process; the backported one half a second.
if [ -x /lib/ld-linux.so.2 ] && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  emulator=/usr/bin/qemu-i386-static
  if ! "$emulator" --version 2>/dev/null | grep -Eq 'version ([89]|[1-9][0-9])\.'; then
    echo "This machine cannot run 32-bit x86 code: installing the i386 emulator"
    suite=$(. /etc/os-release && echo "$VERSION_CODENAME")-backports
    # Either source file may be missing (deb822-only machines have no
    # sources.list), which must not end the script.
    archive=$({ cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null || true; } |
      grep -oE 'https?://[^ ]+/debian/?( |$)' | head -1 | tr -d ' ')
    echo "deb $archive $suite main" | as_root tee /etc/apt/sources.list.d/swaypix-backports.list >/dev/null
    update_indexes
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends -t "$suite" qemu-user-static
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || as_root mount -t binfmt_misc binfmt_misc "$binfmt"
  if [ ! -e "$binfmt/swaypix-i386" ]; then
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":swaypix-i386:M::$magic:$mask:$emulator:FOC" | as_root tee "$binfmt/register" >/dev/null
  fi
fi
