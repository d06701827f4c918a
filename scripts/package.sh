#!/usr/bin/env bash
# Builds the release package for 64-bit Windows: build/dist/Rotaplex-<version>-win64.zip, with the
# stripped programs, the README, the change log and the licence (CMake's "release" workflow:
# configure, build, CPack). Then checks each program in it as an operator's Windows will meet it:
# at most 1.5 MB and importing only Windows' own DLLs; the editor with its version and its icon.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/install-deps.sh"
cmake --workflow --preset release

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)
zip=$root/build/dist/Rotaplex-$version-win64.zip
unpacked=$root/build/dist/unpacked
rm -rf "$unpacked"
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked"

max_bytes=1500000
# DLLs that every Windows has; the C runtime msvcrt.dll among them.
system_dlls='^(advapi32|comctl32|comdlg32|gdi32|kernel32|msvcrt|ole32|shell32|shlwapi|user32|uxtheme|version)\.dll$'
fail=0
shopt -s nullglob
programs=("$unpacked"/*/*.exe)
[ ${#programs[@]} -gt 0 ] || { echo "package: no program in $zip" >&2; exit 1; }
for exe in "${programs[@]}"; do
  name=$(basename "$exe")
  bytes=$(stat -c %s "$exe")
  if [ "$bytes" -gt "$max_bytes" ]; then
    echo "package: $name is $bytes bytes, more than $max_bytes" >&2
    fail=1
  fi
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  foreign=$(grep -Ev "$system_dlls" <<<"$dlls" || true)
  if [ -n "$foreign" ]; then
    echo "package: $name needs DLLs that Windows does not have: $(echo $foreign)" >&2
    fail=1
  fi
  # The editor's resources, as the resource compiler reads them back from the program.
  if [ "$name" = Rotaplex.exe ]; then
    resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null || true)
    grep -q "FILEVERSION ${version//./, }, 0" <<<"$resources" || {
      echo "package: $name carries no version $version" >&2
      fail=1
    }
    grep -q RT_GROUP_ICON <<<"$resources" || { echo "package: $name carries no icon" >&2; fail=1; }
  fi
  echo "package: $name, $bytes bytes, imports $(echo $dlls)"
done
[ "$fail" -eq 0 ] || exit 1
echo "package: $zip"
