#!/usr/bin/env bash
# The release a user downloads, from a build folder:
#
#   tools/dist.sh BUILD OUT
#
# writes OUT/SWAYPIX-<version>.zip (swaypix.exe, then readme.txt in code
# page 932 with CRLF) and OUT/SHA256SUMS for the zip and the program. The
# version and the members' date come from res/version.h; with fixed times,
# order and modes and no extra fields the zip is the same on every machine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$1
out=$2

define() { sed -n "s/^#define SWAYPIX_$1 \"\{0,1\}\([^\"]*\)\"\{0,1\}$/\1/p" "$top/res/version.h"; }
version=$(define VERSION_MAJOR).$(define VERSION_MINOR).$(define VERSION_PATCH).$(define VERSION_BUILD)
date=$(define BUILD_DATE | tr / -)
zipname=SWAYPIX-$version.zip

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$build/swaypix.exe" "$stage/swaypix.exe"
sed 's/$/\r/' "$top/docs/readme.utf8.txt" | iconv -f UTF-8 -t CP932 >"$stage/readme.txt"
chmod 644 "$stage/swaypix.exe" "$stage/readme.txt"
# zip keeps local times: in UTC the build date reads the same everywhere.
export TZ=UTC
touch -d "$date 00:00:00" "$stage/swaypix.exe" "$stage/readme.txt"

(cd "$stage" && zip -q -X -D -9 "$zipname" swaypix.exe readme.txt && sha256sum "$zipname" swaypix.exe >SHA256SUMS)
mkdir -p "$out"
mv -f "$stage/$zipname" "$stage/SHA256SUMS" "$out/"
echo "$out/$zipname"
echo "$out/SHA256SUMS"
