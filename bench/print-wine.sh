#!/usr/bin/env bash
# The print job on the CUPS PDF printer under Wine, on a 1 MB Shift-JIS
# document (Japanese and ASCII, CR LF lines): the time of our own layout pass,
# of the whole job until the spooler has it and until the PDF is complete,
# the pages per second and the share of the layout pass (bench/print).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
source "$ROOT/scripts/wine-env.sh"
source "$ROOT/scripts/printer-env.sh"
source "$ROOT/bench/bench-text.sh"
"$ROOT/scripts/setup-deps.sh"
scribbit_printer_start

build=$SCRIBBIT_BUILD_ROOT/win64
work=$SCRIBBIT_BUILD_ROOT/bench
mkdir -p "$work"
cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" -j "${SCRIBBIT_JOBS:-2}" --target scribbit_print_bench

bench_text_file "$work/text-1mb.txt" $((1024 * 1024))
scribbit_wine_start --xvfb
echo "file: $(stat -c '%n %s bytes' "$work/text-1mb.txt"); Wine: $("$SCRIBBIT_WINE64" --version)"
"${SCRIBBIT_WINE_CMD[@]}" "$(scribbit_winepath "$build/scribbit_print_bench.exe")" \
    "$(scribbit_winepath "$work/text-1mb.txt")" "$(scribbit_winepath "$HOME/PDF")" </dev/null 2>&1 |
    tr -d '\r' | { grep -v "$SCRIBBIT_WINE_NOISE" || true; } | tee "$work/print.log"
pdf=$(sed -n 's/^pdf //p' "$work/print.log")
[[ -n $pdf ]] && echo "pdfinfo: $(pdfinfo "$HOME/PDF/$pdf" | grep -E '^Pages:' | tr -s ' ')"
