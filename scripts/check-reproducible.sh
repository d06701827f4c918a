#!/usr/bin/env bash
# Builds the current commit twice with scripts/package.sh, each from a fresh copy in a folder of
# its own (paths of different lengths), and compares the programs, the zip and SHA256SUMS byte for
# byte: whoever builds this commit gets the release's bytes. Changes not yet committed are not in
# it. check-reproducible.sh [WORK_DIR] (default build/reproducible)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$root/build/reproducible}
commit=$(git -C "$root" rev-parse HEAD)
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct "$commit")
# Signatures carry the time of signing: the check is of the unsigned build.
unset ROTAPLEX_SIGN_PFX ROTAPLEX_SIGN_PKCS11_MODULE

rm -rf "$work"
copies=("$work/a" "$work/second/copy")
for copy in "${copies[@]}"; do
  mkdir -p "$copy"
  git -C "$root" archive "$commit" | tar -x -C "$copy"
  bash "$copy/scripts/package.sh" >"$copy.log" 2>&1 || { cat "$copy.log" >&2; exit 1; }
done

fail=0
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "${copies[0]}/build/release/CMakeCache.txt")
name=Rotaplex-$version-win64
for file in "$name.zip" SHA256SUMS "stage/$name/Rotaplex.exe" "stage/$name/rotaplex-cli.exe"; do
  first=${copies[0]}/build/dist/$file second=${copies[1]}/build/dist/$file
  if cmp -s "$first" "$second"; then
    echo "reproducible: $(basename "$file") $(sha256sum <"$first" | cut -d' ' -f1)"
  else
    echo "reproducible: $(basename "$file") differs between the two builds of $commit" >&2
    cmp "$first" "$second" | head -n1 >&2 || true
    fail=1
  fi
done
[ "$fail" -eq 0 ] && rm -rf "$work"
exit "$fail"
