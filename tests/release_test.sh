#!/usr/bin/env bash
# The release end to end, without Wine:
#
#   tests/release_test.sh SOURCE BUILD
#
# builds the two programs again from a copy of the sources in another
# folder and compares their bytes with BUILD's, makes the zip from both
# builds and compares those, then checks what the zip holds: one version
# wherever the user reads it, a checksum file that passes as the README
# says to run it, the readme's encoding and lines. Packing must refuse a
# malformed res/version.h.
set -euo pipefail
src=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The sources as they stand, tracked or new, without the build folders.
mkdir "$work/elsewhere"
git -C "$src" ls-files -z --cached --others --exclude-standard |
  tar -C "$src" --null --ignore-failed-read -T - -cf - 2>/dev/null | tar -C "$work/elsewhere" -xf -
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
cmake -S "$work/elsewhere" -B "$work/elsewhere/out" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DCMAKE_BUILD_TYPE="$build_type" -DBUILD_TESTING=OFF >/dev/null
cmake --build "$work/elsewhere/out" -j2 --target swaypix swaypix-report >/dev/null
for exe in swaypix.exe swaypix-report.exe; do
  cmp "$build/$exe" "$work/elsewhere/out/$exe" || fail "$exe differs between two builds"
  i686-w64-mingw32-objdump -p "$build/$exe" | grep TERMINAL_SERVICE_AWARE >/dev/null || fail "$exe is not marked --tsaware"
done

"$src/tools/dist.sh" "$build" "$work/dist" >/dev/null
"$work/elsewhere/tools/dist.sh" "$work/elsewhere/out" "$work/dist2" >/dev/null
zips=("$work"/dist/SWAYPIX-*.zip)
[ ${#zips[@]} = 1 ] && [ -f "${zips[0]}" ] || fail "no single zip: ${zips[*]}"
zip=${zips[0]}
zipname=$(basename "$zip")
for file in "$zipname" SHA256SUMS; do
  cmp "$work/dist/$file" "$work/dist2/$file" || fail "$file differs between two builds"
done

# The check a user runs, as the README words it, where make dist leaves
# the release.
check='sha256sum -c SHA256SUMS'
grep -qF "\`$check\`" "$src/README.md" || fail "README does not document \`$check\`"
(cd "$work/dist" && $check >/dev/null) || fail "$check fails in the release folder"
[ "$(sed 's/^[0-9a-f]\{64\}  //' "$work/dist/SHA256SUMS")" = "$zipname" ] || fail "SHA256SUMS names other than the zip"

members=$(unzip -Z1 "$zip" | tr '\n' ' ')
[ "$members" = "swaypix.exe readme.txt " ] || fail "zip holds: $members"
unzip -q "$zip" -d "$work/unpacked"
cmp "$build/swaypix.exe" "$work/unpacked/swaypix.exe" || fail "the zip's swaypix.exe is not the built one"

# One version: the zip's name and readme.txt's newest history entry read
# as the About box shows the program's version resource (2.1.5.3 and
# 2012/07/08 as ver.2.15.03 [2012/07/08]).
# The code that reads the resource names its keys too; the resource
# section comes last in the file.
resource() { i686-w64-mingw32-strings -el "$build/swaypix.exe" | sed -n "/^$1\$/ { n; p }" | tail -n 1; }
shown=$(resource FileVersion | awk -F. '{ printf "%d.%d%d.%02d", $1, $2, $3, $4 }')
[ "$zipname" = "SWAYPIX-$shown.zip" ] || fail "the zip is $zipname, the About box shows ver.$shown"
heading=$(iconv -f CP932 -t UTF-8 "$work/unpacked/readme.txt" | tr -d '\r' |
  awk '/^■更新履歴$/ { h = 1 } h && /^ver\./ && !v { v = $0 } END { print v }')
[ "$heading" = "ver.$shown [$(resource PrivateBuild)]" ] || fail "readme.txt's newest history entry is $heading"

# Packing refuses a res/version.h that a CRLF checkout or a bad edit left,
# and one the readme's history does not name yet.
header=$work/elsewhere/res/version.h
cp "$header" "$work/version.h"
for edit in 's/$/\r/' '/VERSION_PATCH/d' 's/VERSION_MINOR [0-9]*/VERSION_MINOR x/' 's/\(VERSION_BUILD [0-9]*\)/\11/'; do
  sed "$edit" "$work/version.h" >"$header"
  if "$work/elsewhere/tools/dist.sh" "$work/elsewhere/out" "$work/refused" >/dev/null 2>&1 ||
    compgen -G "$work/refused/*.zip" >/dev/null; then
    fail "packed a res/version.h edited by $edit"
  fi
done
cp "$work/version.h" "$header"

# readme.txt: code page 932 that decodes back to the UTF-8 source (glibc
# also encodes look-alikes such as U+301C, which come back as others),
# every line ending in CRLF, none wider than 80 bytes.
readme=$work/unpacked/readme.txt
iconv -f CP932 -t UTF-8 "$readme" | tr -d '\r' | cmp - "$src/docs/readme.utf8.txt" ||
  fail "readme.txt does not decode from CP932 to its source"
[ "$(tr -cd '\n' <"$readme" | wc -c)" = "$(grep -c $'\r$' "$readme")" ] || fail "readme.txt has a line end other than CRLF"
[ "$(tr -cd '\r' <"$readme" | wc -c)" = "$(tr -cd '\n' <"$readme" | wc -c)" ] || fail "readme.txt has a lone CR"
[ "$(tail -c 2 "$readme" | od -An -tx1 | tr -d ' ')" = 0d0a ] || fail "readme.txt's last line has no CRLF"
wide=$(LC_ALL=C awk '{ sub(/\r$/, "") } length($0) > 80 { print NR ": " length($0) " bytes" }' "$readme")
[ -z "$wide" ] || fail "readme.txt lines wider than 80 bytes: $wide"

[ "$failures" = 0 ] && echo "release: reproducible, zip and readme.txt as shipped"
exit "$failures"
