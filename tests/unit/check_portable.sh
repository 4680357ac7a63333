#!/usr/bin/env bash
# Portable sources must not include Windows headers; only *_win.* files may.
set -euo pipefail
root="$1"
bad=$(cd "$root" && grep -lE '#\s*include\s*[<"](windows|windef|winbase|winuser|wingdi|objbase|ole2|dshow|wininet|shlobj|shellapi|commctrl|wrl)[^>"]*[>"]' \
  --include='*.cpp' --include='*.h' -r telemetry map video graph controls app tools bench fuzz tests/unit 2>/dev/null \
  | grep -vE '_win\.(cpp|h)$' || true)
if [ -n "$bad" ]; then
  echo "portable files include Windows headers:"; echo "$bad"; exit 1
fi
echo "portable files are clean"
