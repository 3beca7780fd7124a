#!/usr/bin/env bash
# The release a user downloads, from a build folder:
#
#   tools/dist.sh BUILD OUT
#
# writes OUT/SWAYPIX-<version>.zip (swaypix.exe, then readme.txt in code
# page 932 with CRLF) and OUT/SHA256SUMS, which names the zip alone: the
# user checks the download with `sha256sum -c SHA256SUMS` beside it. The
# version is written as the About box shows it (2.1.5.3 is 2.15.03). It
# and the members' date come from res/version.h, which must state each of
# them plainly, and readme.txt's newest history entry must name the same.
# With fixed times, order and modes and no extra fields the zip is the
# same on every machine.
set -euo pipefail
shopt -s inherit_errexit
top=$(cd "$(dirname "$0")/.." && pwd)
build=$1
out=$2
header=$top/res/version.h
readme=$top/docs/readme.utf8.txt

refuse() {
  echo "dist.sh: $*" >&2
  exit 1
}

# A CRLF checkout would carry its CRs into the zip's name and the readme.
for file in "$header" "$readme"; do
  if grep -q $'\r' "$file"; then refuse "${file#"$top"/} has CR bytes; check it out with LF line ends"; fi
done

# The value of one #define, present once and of the form given.
define() {
  local value
  value=$(sed -n "s/^#define SWAYPIX_$1 //p" "$header")
  [[ $value =~ ^$2$ ]] || refuse "res/version.h: SWAYPIX_$1 is '$value', not $3"
  echo "$value"
}
# A word of the version resource, in decimal.
version_number() {
  local value
  value=$(define "VERSION_$1" '(0|[1-9][0-9]{0,4})' "a decimal number without leading zeros")
  ((value <= 65535)) || refuse "res/version.h: SWAYPIX_VERSION_$1 is $value, above 65535"
  echo "$value"
}
major=$(version_number MAJOR)
minor=$(version_number MINOR)
patch=$(version_number PATCH)
build_number=$(version_number BUILD)
date=$(define BUILD_DATE '"[0-9]{4}/[0-9]{2}/[0-9]{2}"' "a date in quotes, \"YYYY/MM/DD\"")
date=${date//\"/}
# The About box's form: the second and third numbers run together, the
# fourth in two digits.
version=$(printf '%u.%u%u.%02u' "$major" "$minor" "$patch" "$build_number")
zipname=SWAYPIX-$version.zip

heading=$(sed -n '/^■更新履歴$/,$ { /^ver\./ { p; q } }' "$readme")
[ "$heading" = "ver.$version [$date]" ] ||
  refuse "readme's newest history entry is '$heading', but res/version.h makes 'ver.$version [$date]'"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$build/swaypix.exe" "$stage/swaypix.exe"
sed 's/$/\r/' "$readme" | iconv -f UTF-8 -t CP932 >"$stage/readme.txt"
chmod 644 "$stage/swaypix.exe" "$stage/readme.txt"
# zip keeps local times: in UTC the build date reads the same everywhere.
export TZ=UTC
touch -d "${date//\//-} 00:00:00" "$stage/swaypix.exe" "$stage/readme.txt"

(cd "$stage" && zip -q -X -D -9 "$zipname" swaypix.exe readme.txt && sha256sum "$zipname" >SHA256SUMS)
mkdir -p "$out"
# The folder holds one release: an older version's zip would sit there
# unchecked.
rm -f "$out"/SWAYPIX-*.zip
mv -f "$stage/$zipname" "$stage/SHA256SUMS" "$out/"
echo "$out/$zipname"
echo "$out/SHA256SUMS"
