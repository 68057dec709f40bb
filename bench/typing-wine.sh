#!/usr/bin/env bash
# Typing latency of ScribbitⅡ under Wine: generates 100 KB, 1 MB and 10 MB
# Shift-JIS files (Japanese and ASCII, CR LF lines), opens each in the real
# program and lets the benchmark driver (bench/wine) time, in both count units,
#   switch  the count-unit command until the new count is shown,
#   keyup   a key release in the edit view until status panel 3 shows the
#           exact count: median and worst of 2 × SCRIBBIT_TYPING_PRESSES
#           releases (default 10, each typing a key and taking it back), next
#           to the bare round trip of a message the program ignores (null-rt,
#           the floor); idle-ku: the same, but released only once the
#           program is idle again, so the edit control's own work for the
#           typed key is left out and the program's handler is what counts,
#   wrap    the word-wrap command until the other edit view holds the text,
#           turning it on and off, SCRIBBIT_TYPING_WRAPS times each (default 3).
# SCRIBBIT_TYPING_FILES (default "100kb 1mb 10mb") picks the documents.
# The goal is a key release under 16 ms (one frame) at 10 MB.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
source "$ROOT/scripts/wine-env.sh"
source "$ROOT/bench/bench-text.sh"
"$ROOT/scripts/setup-deps.sh"

build=$SCRIBBIT_BUILD_ROOT/win64
work=$SCRIBBIT_BUILD_ROOT/bench-typing
mkdir -p "$work"
cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" -j "${SCRIBBIT_JOBS:-2}" --target scribbit scribbit_bench

declare -A sizes=([100kb]=$((100 * 1024)) [1mb]=$((1024 * 1024)) [10mb]=$((10 * 1024 * 1024)))
names=(${SCRIBBIT_TYPING_FILES:-100kb 1mb 10mb})
for name in "${names[@]}"; do bench_text_file "$work/text-$name.txt" "${sizes[$name]}"; done

scribbit_wine_start --xvfb
files=()
for name in "${names[@]}"; do files+=(--file "$(scribbit_winepath "$work/text-$name.txt")"); done
echo "Wine: $("$SCRIBBIT_WINE64" --version); $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo
"${SCRIBBIT_WINE_CMD[@]}" "$(scribbit_winepath "$build/scribbit_bench.exe")" typing \
    --exe "$(scribbit_winepath "$build/ScribbitⅡ.exe")" \
    --work "$(scribbit_winepath "$work/run")" \
    --presses "${SCRIBBIT_TYPING_PRESSES:-10}" --wraps "${SCRIBBIT_TYPING_WRAPS:-3}" \
    "${files[@]}" </dev/null 2>&1 |
    tr -d '\r' | { grep -v "$SCRIBBIT_WINE_NOISE" || true; }
