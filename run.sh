#!/usr/bin/env bash
# Installs what is missing, builds the Windows programs and starts the main
# program under Wine in a project-local prefix (build/run-prefix): Japanese
# font, adapter registry keys for Wine's adapters and the data folder are
# prepared there first (tools/runprefix).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" win
build="${ORTIVO_BUILD_DIR:-$root/build}"
bin="$build/win/bin"
prefix="$build/run-prefix"
# Wine's own netsh and ipconfig, which change nothing on this machine.
export WINEDLLOVERRIDES="${ORTIVO_RUN_DLLOVERRIDES:-mscoree,mshtml=}"
"$root/tools/wine-run" --prefix "$prefix" "$bin/seed_run_prefix.exe"
exec "$root/tools/wine-run" --prefix "$prefix" "$bin/Tolvik_Network.exe" "$@"
