#!/usr/bin/env bash
# Builds the editor (x86_64) and runs it under Wine, optionally opening a file:
#   scripts/run-editor.sh [file]
# The file may be a Linux path (converted to a Windows path) or a Windows
# path such as 'C:\users\me\memo.txt'. The program lives in a folder of its
# own, build/editor, beside its Readme.txt, so its settings file ScribbitⅡ.ini
# stays there between runs.
# With $DISPLAY set the window opens on that display; without one it runs on
# a private Xvfb and a screenshot of it is refreshed every few seconds.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
source "$ROOT/scripts/wine-env.sh"

"$ROOT/scripts/setup-deps.sh"
source "$ROOT/scripts/printer-env.sh" && scribbit_printer_start || echo "no PDF printer: printing will report an error"

build=$SCRIBBIT_BUILD_ROOT/win64
cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" -j "${SCRIBBIT_JOBS:-2}" --target scribbit

home=$SCRIBBIT_BUILD_ROOT/editor
mkdir -p "$home"
cp "$build/ScribbitⅡ.exe" "$build/Readme.txt" "$home/"

headless=0
[[ -z ${DISPLAY:-} ]] && headless=1
scribbit_wine_start

arguments=()
if (($# > 0)) && [[ -n $1 ]]; then
    case $1 in
        [A-Za-z]:\\* | \\\\*) arguments=("$1") ;;  # already a Windows path
        *) arguments=("$(scribbit_winepath "$(realpath -m -- "$1")")") ;;
    esac
fi

scribbit_wine "$(scribbit_winepath "$home/ScribbitⅡ.exe")" "${arguments[@]}" </dev/null &
program=$!

if ((headless)); then
    shot=$home/screenshot.png
    echo "ScribbitⅡ is running on the virtual display $DISPLAY (Xvfb)."
    echo "A screenshot is refreshed every 5 seconds at: $shot"
    echo "To take one yourself: DISPLAY=$DISPLAY import -window root shot.png"
    echo "It runs until the program ends (File > Exit) or you press Ctrl+C."
    while kill -0 "$program" 2>/dev/null; do
        for _ in 1 2 3 4 5 6 7 8 9 10; do
            kill -0 "$program" 2>/dev/null || break
            sleep 0.5
        done
        scribbit_screenshot "$shot.tmp.png" && mv -f "$shot.tmp.png" "$shot" || true
    done
fi

wait "$program"
