#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test:
# the portable unit tests natively (ASan/UBSan) and the Windows tests under Wine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" all
build="${ORTIVO_BUILD_DIR:-$root/build}"
status=0
ctest --test-dir "$build/native" --output-on-failure -j 2 || status=1
ctest --test-dir "$build/win" --output-on-failure -j 2 || status=1
exit $status
