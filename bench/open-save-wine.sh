#!/usr/bin/env bash
# Start-up, open and save times of ScribbitⅡ under Wine, next to Wine's own
# notepad: generates 1 MB and 10 MB Shift-JIS files (Japanese and ASCII,
# CR LF lines), then lets the benchmark driver (bench/wine) time
#   start  from CreateProcess to a visible main window,
#   open   from CreateProcess with the file on the command line until the
#          edit view holds every character of it,
#   save   from File > Save until the file on disk has been rewritten
#          (ScribbitⅡ only; the saved bytes are checked as well).
# Prints the medians of SCRIBBIT_BENCH_RUNS runs (default 3) and the ratios.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
source "$ROOT/scripts/wine-env.sh"
source "$ROOT/bench/bench-text.sh"
"$ROOT/scripts/setup-deps.sh"

build=$SCRIBBIT_BUILD_ROOT/win64
work=$SCRIBBIT_BUILD_ROOT/bench
mkdir -p "$work"
cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" -j "${SCRIBBIT_JOBS:-2}" --target scribbit scribbit_bench

bench_text_file "$work/text-1mb.txt" $((1024 * 1024))
bench_text_file "$work/text-10mb.txt" $((10 * 1024 * 1024))

scribbit_wine_start --xvfb
echo "files: $(stat -c '%n %s bytes' "$work"/text-*.txt | tr '\n' ';')"
echo "Wine: $("$SCRIBBIT_WINE64" --version), medians of ${SCRIBBIT_BENCH_RUNS:-3} runs, times in ms"
echo
"${SCRIBBIT_WINE_CMD[@]}" "$(scribbit_winepath "$build/scribbit_bench.exe")" open-save \
    --exe "$(scribbit_winepath "$build/ScribbitⅡ.exe")" \
    --notepad 'C:\windows\system32\notepad.exe' \
    --work "$(scribbit_winepath "$work/run")" \
    --runs "${SCRIBBIT_BENCH_RUNS:-3}" \
    --file "$(scribbit_winepath "$work/text-1mb.txt")" \
    --file "$(scribbit_winepath "$work/text-10mb.txt")" </dev/null 2>&1 |
    tr -d '\r' | { grep -v "$SCRIBBIT_WINE_NOISE" || true; }
echo
echo "ratio = ScribbitⅡ / notepad (below 1: faster than notepad)"
