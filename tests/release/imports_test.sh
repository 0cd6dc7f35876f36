#!/usr/bin/env bash
# popolun.exe imports only what its first window needs; the shell, COM and the
# accessibility services are loaded when first used. A new import here maps a
# DLL into every start.
#
# usage: imports_test.sh OBJDUMP EXE
set -euo pipefail
wanted="comctl32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll"
found="$("$1" -p "$2" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ' | sed 's/ $//')"
if [ "$found" != "$wanted" ]; then
  echo "FAIL: popolun.exe imports $found; only $wanted are wanted at start"
  exit 1
fi
echo "popolun.exe imports $found"
