#!/usr/bin/env bash
# The program, the simulated library and the test programs import only Windows' own DLLs:
# everything else (C++ runtime, threads) is linked in statically.
set -euo pipefail
allowed='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|ole32|oleaut32|version|msvcrt|shlwapi|uxtheme|winmm)\.dll$'
status=0
while IFS= read -r -d '' file; do
  while read -r dll; do
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
      echo "FAIL: $file imports $dll"
      status=1
    fi
  done < <(i686-w64-mingw32-objdump -p "$file" | awk '/DLL Name:/ {print $3}')
done < <(find "$VEK_BIN" \( -name '*.exe' -o -name '*.dll' \) -print0)
[ $status -eq 0 ] && echo "all imports are Windows' own"
exit $status
