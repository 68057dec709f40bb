#!/usr/bin/env bash
# Runs every test: the include order of src/ (src/README.md), the native
# suites (plain and with ASan+UBSan), both MinGW builds, the two Wine
# suites (the adapters' tests and the end-to-end scenarios), and the
# release archives with one first run from an unpacked archive. Ends with
# one line "N passed, M failed" (test cases of every
# suite; a build that fails, or a suite that crashes or does not finish,
# counts as one failure) and a non-zero exit code on any failure.
#
# Environment:
#   SCRIBBIT_BUILD_ROOT   where the build folders go (default: build)
#   SCRIBBIT_E2E_FILTER   run only the end-to-end tests whose name contains it
#                         (or, with * ? or :, a GoogleTest filter)
#   SCRIBBIT_JOBS         parallel build jobs (default: 2)
#   SCRIBBIT_STEPS        the steps to run (default: "includes native sanitize win32 win64 e2e package")
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
source "$ROOT/scripts/wine-env.sh"
JOBS=${SCRIBBIT_JOBS:-2}
LOGS=$SCRIBBIT_BUILD_ROOT/test-logs
E2E_OUT=$SCRIBBIT_BUILD_ROOT/e2e
STEPS=" ${SCRIBBIT_STEPS:-includes native sanitize win32 win64 e2e package} "
wanted() { [[ $STEPS == *" $1 "* ]]; }

if ! "$ROOT/scripts/setup-deps.sh"; then
    echo "could not install the build dependencies"
    echo "0 passed, 1 failed"
    exit 1
fi
mkdir -p "$LOGS"
source "$ROOT/scripts/printer-env.sh" && scribbit_printer_start || echo "no PDF printer: the program under Wine cannot print"

total_passed=0
total_failed=0
summary=()

note() {  # step, passed, failed, remark
    summary+=("$(printf '%-22s %6s passed %6s failed  %s' "$1" "$2" "$3" "${4:-}")")
    total_passed=$((total_passed + $2))
    total_failed=$((total_failed + $3))
}

banner() { printf '\n===== %s =====\n' "$*"; }

# Configures and builds one preset (or one target of it) into its folder
# under the build root.
build_preset() {  # preset [target]
    local preset=$1 target=${2:-}
    local dir=$SCRIBBIT_BUILD_ROOT/$preset
    local log=$LOGS/build-$preset${target:+-$target}.log
    banner "build $preset${target:+ $target}"
    if cmake --preset "$preset" -B "$dir" >"$log" 2>&1 &&
        cmake --build "$dir" -j "$JOBS" ${target:+--target "$target"} >>"$log" 2>&1; then
        echo "build $preset${target:+ $target}: ok"
        return 0
    fi
    grep -E 'error|FAILED|CMake Error' "$log" | head -n 60
    echo "build $preset${target:+ $target}: FAILED (log: $log)"
    return 1
}

# Runs CTest in a build folder and adds its counts.
run_ctest() {
    local preset=$1
    local dir=$SCRIBBIT_BUILD_ROOT/$preset
    banner "ctest $preset"
    local log=$LOGS/ctest-$preset.log
    ctest --test-dir "$dir" --output-on-failure -j "$JOBS" --timeout 300 2>&1 | tee "$log" |
        grep -vE 'Test +#[0-9]+: .* Passed|^ +Start +[0-9]+: ' | tail -n 200
    local status=${PIPESTATUS[0]}
    local line total failed
    line=$(grep -E 'tests? passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [[ -n $line ]]; then
        failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
        note "ctest $preset" $((total - failed)) "$failed"
    elif grep -q 'No tests were found' "$log"; then
        note "ctest $preset" 0 0 "no tests yet"
    else
        note "ctest $preset" 0 1 "ctest did not finish (status $status)"
    fi
}

# The include order needs no build: every include that runs against it is
# one failure, named by file and line.
if wanted includes; then
    banner "include order"
    if violations=$("$ROOT/scripts/check-includes.sh" 2>&1); then
        echo "include order: ok"
        note "include order" 1 0
    else
        echo "$violations"
        count=$(grep -c . <<<"$violations")
        note "include order" 0 $((count > 0 ? count : 1)) "against the order in src/README.md"
    fi
fi

for preset in native sanitize; do
    wanted "$preset" || continue
    if build_preset "$preset"; then
        run_ctest "$preset"
    else
        note "build $preset" 0 1 "build failed"
    fi
done

# The port contracts against the real adapters, under Wine; counted from
# GoogleTest's "[  PASSED  ] N tests." and "[  FAILED  ] M tests," lines.
run_contracts() {  # preset
    local exe=$SCRIBBIT_BUILD_ROOT/$1/scribbit_contract_tests.exe log=$LOGS/contracts-$1.log
    banner "contracts $1 under Wine"
    mkdir -p "$SCRIBBIT_BUILD_ROOT/contract-work"
    (
        cd "$SCRIBBIT_BUILD_ROOT/contract-work" && scribbit_wine_start --xvfb
        timeout --kill-after=10 600 "${SCRIBBIT_WINE_CMD[@]}" "$(scribbit_winepath "$exe")" </dev/null 2>&1 |
            tr -d '\r' | grep -v --line-buffered "$SCRIBBIT_WINE_NOISE" >"$log"
    )
    grep -E '^\[  (FAILED|SKIPPED) +\]|Failure' "$log" | head -n 40
    local passed failed
    passed=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$log" | tail -n 1)
    failed=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?,.*/\1/p' "$log" | tail -n 1)
    if [[ -n $passed ]]; then
        note "contracts $1" "$passed" "${failed:-0}"
    else
        note "contracts $1" 0 1 "did not finish (log: $log)"
    fi
}

# The i686 build is the primary artefact but cannot run here; it must compile.
for preset in win32 win64; do
    wanted "$preset" || continue
    if build_preset "$preset"; then
        note "build $preset" 0 0
        [[ $preset == win64 ]] && run_contracts "$preset"
    else
        note "build $preset" 0 1 "build failed"
    fi
done

# The end-to-end driver against the real program, under Wine.
program=$SCRIBBIT_BUILD_ROOT/win64/ScribbitⅡ.exe
driver=$SCRIBBIT_BUILD_ROOT/win64/scribbit_e2e.exe
closing_line='^[0-9]+ passed, [0-9]+ failed$'

# Runs one Windows console suite with a time limit and keeps its log and
# exit code; a closing line of its own is shown in parentheses, so that this
# script's last line stays the only closing line.
run_wine_suite() {  # label, log, program, arguments...
    local label=$1 log=$2 exe=$3
    shift 3
    banner "$label under Wine"
    timeout --kill-after=10 1200 "${SCRIBBIT_WINE_CMD[@]}" "$(scribbit_winepath "$exe")" "$@" </dev/null 2>&1 |
        tr -d '\r' | grep -v --line-buffered "$SCRIBBIT_WINE_NOISE" | tee "$log" |
        sed -E "s/($closing_line)/($label: \\1)/"
    echo "${PIPESTATUS[0]}" >"$log.status"
}

# Counts a suite's test cases from GoogleTest's summary (or from the closing
# line of a suite that has its own). A suite that crashed, did not finish or
# failed without saying so counts as one failure more.
count_wine_suite() {  # label, log
    local log=$2 status passed failed line
    status=$(cat "$log.status" 2>/dev/null || echo missing)
    if grep -qE '^\[==========\] [0-9]+ tests? from .* ran\.' "$log" 2>/dev/null; then
        passed=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\.$/\1/p' "$log" | tail -n 1)
        failed=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below:$/\1/p' "$log" | tail -n 1)
    elif line=$(grep -E "$closing_line" "$log" 2>/dev/null | tail -n 1) && [[ -n $line ]]; then
        read -r passed _ failed _ <<<"${line//,/}"
    else
        passed=$(grep -cE '^\[       OK \] ' "$log" 2>/dev/null)
        failed=$(grep -cE '^\[  FAILED  \] [^ ]+ \(' "$log" 2>/dev/null)
        note "$1" "${passed:-0}" $((${failed:-0} + 1)) "did not finish (status $status, log: $log)"
        return
    fi
    passed=${passed:-0} failed=${failed:-0}
    if [[ $status != 0 ]] && ((failed == 0)); then
        note "$1" "$passed" 1 "exit status $status (log: $log)"
    else
        note "$1" "$passed" "$failed"
    fi
}

if wanted e2e; then
    rm -rf "$E2E_OUT" "$LOGS/e2e.log"
    mkdir -p "$E2E_OUT"
    (
        scribbit_wine_start --xvfb
        if [[ -f $program && -f $driver ]]; then
            # The filter keeps its old meaning: tests whose name contains it.
            filter=()
            if [[ -n ${SCRIBBIT_E2E_FILTER:-} ]]; then
                pattern=$SCRIBBIT_E2E_FILTER
                [[ $pattern == *[*:?]* ]] || pattern="*$pattern*"
                filter=(--gtest_filter="$pattern")
            fi
            run_wine_suite "end-to-end" "$LOGS/e2e.log" "$driver" --exe "$(scribbit_winepath "$program")" \
                --out "$(scribbit_winepath "$E2E_OUT")" "${filter[@]}"
        fi
    )
    if [[ -f $program && -f $driver ]]; then
        count_wine_suite "end-to-end" "$LOGS/e2e.log"
    else
        note "end-to-end" 0 1 "program or driver not built"
    fi
    # Screenshots as PNG, for people to look at.
    if compgen -G "$E2E_OUT/screenshots/*.bmp" >/dev/null; then
        mogrify -format png "$E2E_OUT"/screenshots/*.bmp 2>/dev/null && rm -f "$E2E_OUT"/screenshots/*.bmp
        echo "screenshots: $E2E_OUT/screenshots"
    fi
fi

# Runs a command every fifth of a second until it succeeds; fails when the
# seconds given run out first.
wait_until() {  # seconds, command...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

ended() { ! kill -0 "$1" 2>/dev/null; }

# Builds a preset's release archive and checks it: one folder named like the
# archive holding the program and its read-me, in that order, and a checksum
# file that matches. Prints the archive's path.
package_preset() {  # preset
    local dir=$SCRIBBIT_BUILD_ROOT/$1 zip top
    rm -f "$dir"/ScribbitⅡ-*.zip "$dir"/ScribbitⅡ-*.zip.sha256
    build_preset "$1" package >&2 || return 1
    zip=$(compgen -G "$dir/ScribbitⅡ-*-$1.zip") || { echo "no archive in $dir" >&2; return 1; }
    top=$(basename "$zip" .zip)
    if [[ $(cmake -E tar tf "$zip") != "$top/Readme.txt"$'\n'"$top/ScribbitⅡ.exe" ]]; then
        echo "$zip holds:" $(cmake -E tar tf "$zip") >&2
        return 1
    fi
    (cd "$dir" && sha256sum --check --quiet "$top.zip.sha256") >&2 || return 1
    echo "$zip"
}

# A first run from the archive: unpacked into an empty folder, the program
# starts there, writes its settings file beside itself and, closed as by its
# close box, ends with nothing else left in the folder.
first_run() {  # archive
    local work=$SCRIBBIT_BUILD_ROOT/first-run top
    top=$work/$(basename "$1" .zip)
    rm -rf "$work" && mkdir -p "$work" && (cd "$work" && cmake -E tar xf "$1") || return 1
    (
        scribbit_wine_start --xvfb
        scribbit_wine "$(scribbit_winepath "$top/ScribbitⅡ.exe")" </dev/null >"$LOGS/first-run.log" 2>&1 &
        pid=$!
        wait_until 60 test -s "$top/ScribbitⅡ.ini" || { echo "no settings file after 60 s"; exit 1; }
        # The main window exists before the first settings are written:
        # taskkill without /F posts WM_CLOSE to it and fails while there is none.
        wait_until 30 scribbit_wine taskkill /IM 'ScribbitⅡ.exe' >/dev/null 2>&1 ||
            { echo "the program's window did not take WM_CLOSE"; exit 1; }
        wait_until 30 ended "$pid" || { echo "still running 30 s after WM_CLOSE"; exit 1; }
        wait "$pid" || { echo "exit status $?"; exit 1; }
    ) || return 1
    local left
    left=$(cd "$top" && ls -A | tr '\n' ' ')
    [[ $left == "Readme.txt ScribbitⅡ.exe ScribbitⅡ.ini " ]] || { echo "the folder holds: $left"; return 1; }
}

# The release archives; the first run uses the x86_64 one, since this
# machine cannot run the i686 program.
if wanted package; then
    for preset in win32 win64; do
        if archive=$(package_preset "$preset"); then
            note "package $preset" 1 0 "$(basename "$archive"), $(stat -c %s "$archive") bytes"
        else
            note "package $preset" 0 1 "see above"
            continue
        fi
        [[ $preset == win64 ]] || continue
        banner "first run from $(basename "$archive") under Wine"
        if reason=$(first_run "$archive"); then
            note "first run $preset" 1 0
        else
            echo "$reason"
            note "first run $preset" 0 1 "$reason"
        fi
    done
fi

banner "summary"
printf '%s\n' "${summary[@]}"
echo "${total_passed} passed, ${total_failed} failed"
((total_failed == 0))
