#!/usr/bin/env bash
# SHA256SUMS as a user checks it, in the folder of the zip after unzipping it
# there: it covers the zip and the program, and sha256sum -c accepts both.
# usage: checksums_test.sh DIST   (the folder the build wrote the zip into)
set -euo pipefail
dist="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp "$dist"/*.zip "$dist/SHA256SUMS" "$scratch/"
cd "$scratch"
unzip -q ./*.zip
for file in ./*.zip ./*/popolun.exe; do
  grep -q "^[0-9a-f]\{64\}  ${file#./}\$" SHA256SUMS || { echo "FAIL: SHA256SUMS has no line for ${file#./}"; exit 1; }
done
sha256sum --strict -c SHA256SUMS
