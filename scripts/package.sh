#!/usr/bin/env bash
# Builds the release package for 64-bit Windows, build/dist/Rotaplex-<version>-win64.zip, with the
# stripped programs, the README, the change log, the licence and the README's pictures; beside it
# SHA256SUMS and the winget and Scoop manifests (build/dist/winget, build/dist/scoop). Then checks
# each program in it as an operator's Windows will meet it: within its size, importing only
# Windows' own DLLs; the editor with its version and its icon.
#
# The same commit gives the same bytes in any folder: the programs and the zip's entries carry the
# commit's time (SOURCE_DATE_EPOCH, taken from git unless set). scripts/check-reproducible.sh
# builds a commit twice and compares.
# Signing (scripts/sign.sh) happens when a certificate is given: ROTAPLEX_SIGN_PFX and
# ROTAPLEX_SIGN_PASSWORD, or a PKCS#11 token; ROTAPLEX_TIMESTAMP_URL adds an RFC 3161 time stamp.
# The manifests point at ROTAPLEX_DOWNLOAD_URL/<zip> (default: ROTAPLEX_HOMEPAGE's releases).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/install-deps.sh"
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null) ||
    { echo "package: not a git checkout: give the commit's time as SOURCE_DATE_EPOCH" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH

build=$root/build/release
dist=$root/build/dist
cmake --preset release -DROTAPLEX_SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" >/dev/null
cmake --build "$build" -j "$(nproc)"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=Rotaplex-$version-win64
zip=$dist/$name.zip
stage=$dist/stage
rm -rf "$stage" "$dist/winget" "$dist/scoop" "$zip" "$dist/SHA256SUMS"
mkdir -p "$stage"
cmake --install "$build" --prefix "$stage/$name" --strip >/dev/null
"$root/scripts/sign.sh" "$stage/$name"/*.exe
python3 "$root/scripts/zip-folder.py" "$stage/$name" "$zip" "$SOURCE_DATE_EPOCH"
(cd "$dist" && sha256sum "$name.zip" >SHA256SUMS)
homepage=${ROTAPLEX_HOMEPAGE:-https://example.invalid/rotaplex}
python3 "$root/scripts/write-manifests.py" "$zip" "$version" "$SOURCE_DATE_EPOCH" "$homepage" \
  "${ROTAPLEX_DOWNLOAD_URL:-$homepage/releases/download/v$version}" "$dist"

unpacked=$dist/unpacked
rm -rf "$unpacked"
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked"

# The editor within 1.5 MB, and the command-line program no larger than the editor: it writes
# through stdio, without the C++ streams and the locale tables they bring along.
declare -A max_bytes=([Rotaplex.exe]=1500000 [rotaplex-cli.exe]=1500000)
declare -A sizes=()
# DLLs that every Windows has; the C runtime msvcrt.dll among them.
system_dlls='^(advapi32|comctl32|comdlg32|gdi32|kernel32|msvcrt|ole32|shell32|shlwapi|user32|uxtheme|version)\.dll$'
fail=0
for exe in "$unpacked/$name/Rotaplex.exe" "$unpacked/$name/rotaplex-cli.exe"; do
  exe_name=$(basename "$exe")
  [ -f "$exe" ] || { echo "package: no $exe_name in $zip" >&2; fail=1; continue; }
  bytes=$(stat -c %s "$exe")
  sizes[$exe_name]=$bytes
  if [ "$bytes" -gt "${max_bytes[$exe_name]}" ]; then
    echo "package: $exe_name is $bytes bytes, more than ${max_bytes[$exe_name]}" >&2
    fail=1
  fi
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  foreign=$(grep -Ev "$system_dlls" <<<"$dlls" || true)
  if [ -n "$foreign" ]; then
    echo "package: $exe_name needs DLLs that Windows does not have: $(echo $foreign)" >&2
    fail=1
  fi
  # The editor's resources, as the resource compiler reads them back from the program.
  if [ "$exe_name" = Rotaplex.exe ]; then
    resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null || true)
    grep -q "FILEVERSION ${version//./, }, 0" <<<"$resources" || {
      echo "package: $exe_name carries no version $version" >&2
      fail=1
    }
    grep -q RT_GROUP_ICON <<<"$resources" || { echo "package: $exe_name carries no icon" >&2; fail=1; }
  fi
  echo "package: $exe_name, $bytes bytes, imports $(echo $dlls)"
done
if [ "${sizes[rotaplex-cli.exe]:-0}" -gt "${sizes[Rotaplex.exe]:-0}" ]; then
  echo "package: rotaplex-cli.exe (${sizes[rotaplex-cli.exe]} bytes) is larger than Rotaplex.exe" >&2
  fail=1
fi
[ "$fail" -eq 0 ] || exit 1
echo "package: $zip"
echo "package: $(cat "$dist/SHA256SUMS")"
