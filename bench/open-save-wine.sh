#!/usr/bin/env bash
# Start-up, open and save times of ScribbitⅡ under Wine, each beside its
# floor and next to Wine's own notepad: generates Shift-JIS files (Japanese
# and ASCII, CR LF lines) of SCRIBBIT_BENCH_MB megabytes (a list; default
# "1 10"), then lets the benchmark driver (bench/wine) time
#   start  from CreateProcess to a visible main window,
#   open   from CreateProcess with the file on the command line until the
#          edit view holds every character of it and has painted; floor: the
#          start alone plus WM_SETTEXT of the same text into a bare edit
#          control made like the program's view (bench/wine/edit_floor.cpp),
#   save   from File > Save until the file on disk has been rewritten
#          (ScribbitⅡ only; the saved bytes are checked as well); floor:
#          reading the text out of that control, converting it to the code
#          page and writing it.
# Prints the medians of SCRIBBIT_BENCH_RUNS runs (default 3) and the ratios;
# the last line is the worst ratio of an open to its floor.
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

files=()
for mb in ${SCRIBBIT_BENCH_MB:-1 10}; do
    bench_text_file "$work/text-${mb}mb.txt" $((mb * 1024 * 1024))
    files+=(--file "$(scribbit_winepath "$work/text-${mb}mb.txt")")
done

scribbit_wine_start --xvfb
echo "Wine: $("$SCRIBBIT_WINE64" --version), medians of ${SCRIBBIT_BENCH_RUNS:-3} runs, times in ms;" \
    "load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "ratios: ScribbitⅡ / floor, ScribbitⅡ / notepad (below 1: faster)"
echo
"${SCRIBBIT_WINE_CMD[@]}" "$(scribbit_winepath "$build/scribbit_bench.exe")" open-save \
    --exe "$(scribbit_winepath "$build/ScribbitⅡ.exe")" \
    --notepad 'C:\windows\system32\notepad.exe' \
    --work "$(scribbit_winepath "$work/run")" \
    --runs "${SCRIBBIT_BENCH_RUNS:-3}" \
    "${files[@]}" </dev/null 2>&1 |
    tr -d '\r' | { grep -v "$SCRIBBIT_WINE_NOISE" || true; }
