#!/usr/bin/env bash
# Installs what is missing, builds the Windows programs and starts the main
# program under Wine in a project-local prefix (build/run-prefix).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" win
build="${ORTIVO_BUILD_DIR:-$root/build}"
exe="$build/win/bin/Tolvik_Network.exe"
if [ ! -f "$exe" ]; then
  echo "The main program is not built yet; only the setting applier exists:" >&2
  ls "$build/win/bin" >&2
  exit 1
fi
exec "$root/tools/wine-run" --prefix "$build/run-prefix" "$exe" "$@"
