#!/usr/bin/env bash
# Long fuzzing run of the data-file decoder (libFuzzer with AddressSanitizer
# and UBSan), beyond the bounded run that every test run makes. Stops after
# RUNS executions (default ten million) or at the first fault, whose input is
# saved as build/native/tests/native-fuzz/crash-*. The corpus it grows stays
# in the build tree.
#
#   scripts/fuzz-long.sh [RUNS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" native
native="${ORTIVO_BUILD_DIR:-$root/build}/native"
build="$native/tests/native-fuzz"
mkdir -p "$build/data_file_corpus"
exec "$native/bin/data_file_fuzzer" -runs="${1:-10000000}" -max_len=60000 -timeout=10 -print_final_stats=1 \
     -artifact_prefix="$build/" "$build/data_file_corpus" "$root/tests/native-fuzz/seeds"
