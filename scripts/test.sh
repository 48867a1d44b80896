#!/usr/bin/env bash
# Sets up the machine and runs every test: native (with AddressSanitizer and
# UndefinedBehaviorSanitizer), the 64-bit Windows build under Wine and a
# virtual X display, and a build of the 32-bit Windows program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

step() { printf '\n== %s\n' "$*"; }

step "native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

step "differential fuzzing of the database code against a reference model (one minute)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
fuzz_corpus=$(mktemp -d)
trap 'rm -rf "$fuzz_corpus"' EXIT
# New inputs go to the scratch folder; the seeds in the repo stay as they are.
build/fuzz/differential_fuzz -max_total_time="${KORVANY_FUZZ_SECONDS:-60}" -print_final_stats=1 \
  "$fuzz_corpus" fuzz/corpus 2>&1 | tail -n 4

step "32-bit Windows build (compiled and linked; this kernel cannot run it)"
cmake --preset win32 >/dev/null
cmake --build --preset win32
(cd build/win32 && cpack -G ZIP >/dev/null && ls KorvanyDBConverter-*-win32.zip)

step "64-bit Windows build and tests under Wine"
cmake --preset win64 >/dev/null
cmake --build --preset win64
# The windows of the tests need a display; a private one keeps them off the user's.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset win64
(cd build/win64 && cpack -G ZIP >/dev/null && ls KorvanyDBConverter-*-win64.zip)

# The end-to-end tests saved screenshots of the window and an error box.
for bmp in build/win64/screenshots/*.bmp; do
  [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls build/win64/screenshots/*.png 2>/dev/null || true
