#!/usr/bin/env bash
# The release end to end, without Wine:
#
#   tests/release_test.sh SOURCE BUILD
#
# builds the two programs again from a copy of the sources in another
# folder and compares their bytes with BUILD's, makes the zip from both
# builds and compares those, then checks what the zip holds.
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
for file in "$(basename "$zip")" SHA256SUMS; do
  cmp "$work/dist/$file" "$work/dist2/$file" || fail "$file differs between two builds"
done

members=$(unzip -Z1 "$zip" | tr '\n' ' ')
[ "$members" = "swaypix.exe readme.txt " ] || fail "zip holds: $members"
unzip -q "$zip" -d "$work/dist"
cmp "$build/swaypix.exe" "$work/dist/swaypix.exe" || fail "the zip's swaypix.exe is not the built one"
(cd "$work/dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
[ "$(wc -l <"$work/dist/SHA256SUMS")" = 2 ] || fail "SHA256SUMS names other than the zip and the exe"

# readme.txt: code page 932 that decodes back to the UTF-8 source (glibc
# also encodes look-alikes such as U+301C, which come back as others),
# every line ending in CRLF, none wider than 80 bytes.
readme=$work/dist/readme.txt
iconv -f CP932 -t UTF-8 "$readme" | tr -d '\r' | cmp - "$src/docs/readme.utf8.txt" ||
  fail "readme.txt does not decode from CP932 to its source"
[ "$(tr -cd '\n' <"$readme" | wc -c)" = "$(grep -c $'\r$' "$readme")" ] || fail "readme.txt has a line end other than CRLF"
[ "$(tr -cd '\r' <"$readme" | wc -c)" = "$(tr -cd '\n' <"$readme" | wc -c)" ] || fail "readme.txt has a lone CR"
[ "$(tail -c 2 "$readme" | od -An -tx1 | tr -d ' ')" = 0d0a ] || fail "readme.txt's last line has no CRLF"
wide=$(LC_ALL=C awk '{ sub(/\r$/, "") } length($0) > 80 { print NR ": " length($0) " bytes" }' "$readme")
[ -z "$wide" ] || fail "readme.txt lines wider than 80 bytes: $wide"

[ "$failures" = 0 ] && echo "release: reproducible, zip and readme.txt as shipped"
exit "$failures"
