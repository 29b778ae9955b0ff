#!/usr/bin/env bash
# Start-up and switch benchmark of the main program under Wine; run by hand,
# never by the test command. Builds the programs and the floor program,
# prepares its own prefix (build/bench-prefix) and prints medians and ratios
# (see docs/performance.md).
#
#   bench/run.sh [--runs N] [--only start|profiles|switch|service]
#   bench/run.sh --testnet [--runs N]   (root: arriving is switching, in the
#                                        test network of tests/testnet)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" win
build="${ORTIVO_BUILD_DIR:-$root/build}"
cmake --build "$build/win" --target bench
echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores, $(uname -sr), $(wine --version 2>/dev/null)"
echo "date: $(date -u '+%Y-%m-%d %H:%M UTC'); load before: $(cut -d' ' -f1-3 /proc/loadavg)"
if [ "${1:-}" = --testnet ]; then
  shift
  "$root/tests/testnet/testnet.sh" run "$build/win" "$build/win/bin/ortivo_bench.exe" --only arrival "$@"
else
  "$root/tools/wine-run" --prefix "$build/bench-prefix" "$build/win/bin/ortivo_bench.exe" "$@"
fi
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
