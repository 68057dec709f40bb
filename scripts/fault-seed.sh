#!/usr/bin/env bash
# Fault seeding: applies the faults of scripts/fault-seed.list to the product
# code one at a time, runs the suites that should catch each and counts how
# many were caught. The figure is how we know that a rewrite of the tests
# lost none of their power: it must not drop.
#
#   scripts/fault-seed.sh                 every fault
#   scripts/fault-seed.sh --list          the faults, and whether each still applies
#   scripts/fault-seed.sh --only ID[,ID]  only these faults
#   scripts/fault-seed.sh --layer native  only the faults of one layer, run on it alone
#
# Layers: "native" builds the native preset in build/faults-native and runs
# its CTest suites; "wine" builds the win64 preset in build/faults-wine and
# runs the Windows suites under Wine. Both go through scripts/run-tests.sh
# (SCRIBBIT_STEPS "native" or "win64 e2e"); a fault is caught on a layer when
# that run ends with "N passed, M failed" and M > 0, and caught overall when
# any of its layers caught it. The script knows no test by name.
#
# A fault whose snippet does not occur exactly once is "stale" (the code has
# moved on: update the list); one that does not build is "invalid". Neither
# counts. The layers are first run once on the unmodified code; when that
# baseline is not green nothing is seeded.
#
# The file under test is copied before each fault and put back afterwards
# however the run ends (Ctrl+C included); a run killed outright is repaired
# by the next one. Do not edit product files while it runs. Logs go to
# build/fault-seed/.
#
# Environment: SCRIBBIT_JOBS (build jobs, default 2),
# SCRIBBIT_FAULT_NATIVE_LIMIT / SCRIBBIT_FAULT_WINE_LIMIT (seconds one run of
# a layer may take, default 1800 / 3600; a run cut off counts as caught, as
# the suite did not pass), SCRIBBIT_FAULT_FAIL_FAST (1, the default: a run
# is stopped at its first failing test, and the fault counts as caught; 0
# runs every suite to the end).
set -uo pipefail
shopt -u patsub_replacement 2>/dev/null || true  # "&" in a replacement is literal

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
LIST=$ROOT/scripts/fault-seed.list
OUT=$ROOT/build/fault-seed
PENDING=$OUT/pending
JOBS=${SCRIBBIT_JOBS:-2}
NATIVE_LIMIT=${SCRIBBIT_FAULT_NATIVE_LIMIT:-1800}
WINE_LIMIT=${SCRIBBIT_FAULT_WINE_LIMIT:-3600}
CLOSING_LINE='^[0-9]+ passed, [0-9]+ failed$'
FAILED_TEST='^\[ *FAILED *\] '
FAIL_FAST=${SCRIBBIT_FAULT_FAIL_FAST:-1}
STOPPED_EARLY=0

declare -A BUILD_ROOT=([native]=$ROOT/build/faults-native [wine]=$ROOT/build/faults-wine)
declare -A PRESET=([native]=native [wine]=win64)
declare -A STEPS=([native]=native [wine]="win64 e2e")
declare -A LIMIT=([native]=$NATIVE_LIMIT [wine]=$WINE_LIMIT)

usage() {
    sed -n '2,/^set -uo/p' "${BASH_SOURCE[0]}" | sed '$d' | sed 's/^# \{0,1\}//'
}

die() {
    echo "fault-seed: $*" >&2
    exit 2
}

# ----------------------------------------------------------------- options

list_only=0
only=
layer_filter=
while (($#)); do
    case $1 in
        --list) list_only=1 ;;
        --only) [[ $# -ge 2 ]] || die "--only needs a list of ids"; only=$2; shift ;;
        --only=*) only=${1#--only=} ;;
        --layer) [[ $# -ge 2 ]] || die "--layer needs native or wine"; layer_filter=$2; shift ;;
        --layer=*) layer_filter=${1#--layer=} ;;
        -h | --help) usage; exit 0 ;;
        *) usage >&2; exit 2 ;;
    esac
    shift
done
[[ -z $layer_filter || $layer_filter == native || $layer_filter == wine ]] ||
    die "--layer takes native or wine, not '$layer_filter'"

# ---------------------------------------------------------------- the list

ids=()
declare -A F_FILE F_LAYERS F_DESC F_FIND F_REPL F_HAS_FIND F_HAS_REPL

load_list() {
    [[ -f $LIST ]] || die "no fault list at $LIST"
    local line key value id= number=0
    while IFS= read -r line || [[ -n $line ]]; do
        number=$((number + 1))
        [[ -z $line || $line == \#* ]] && continue
        [[ $line == *:* ]] || die "$LIST:$number: expected 'key: value'"
        key=${line%%:*}
        value=${line#*:}
        value=${value# }
        case $key in
            id)
                id=$value
                [[ $id =~ ^[A-Za-z0-9._-]+$ ]] || die "$LIST:$number: bad id '$id'"
                [[ -z ${F_FILE[$id]+set} ]] || die "$LIST:$number: id '$id' used twice"
                ids+=("$id")
                F_FILE[$id]= F_LAYERS[$id]= F_DESC[$id]=
                ;;
            file | layers | desc | find | repl | find+ | repl+)
                [[ -n $id ]] || die "$LIST:$number: '$key' before the first id"
                case $key in
                    file) F_FILE[$id]=$value ;;
                    layers) F_LAYERS[$id]=$value ;;
                    desc) F_DESC[$id]=$value ;;
                    find) F_FIND[$id]=$value F_HAS_FIND[$id]=1 ;;
                    repl) F_REPL[$id]=$value F_HAS_REPL[$id]=1 ;;
                    find+) F_FIND[$id]+=$'\n'$value ;;
                    repl+) F_REPL[$id]+=$'\n'$value ;;
                esac
                ;;
            *) die "$LIST:$number: unknown key '$key'" ;;
        esac
    done <"$LIST"

    local layer
    for id in "${ids[@]}"; do
        [[ ${F_FILE[$id]} == src/* ]] || die "fault $id: file must lie under src/"
        [[ -n ${F_DESC[$id]} ]] || die "fault $id: no desc"
        [[ -n ${F_HAS_FIND[$id]:-} && -n ${F_FIND[$id]} ]] || die "fault $id: no find"
        [[ -n ${F_HAS_REPL[$id]:-} ]] || die "fault $id: no repl (write 'repl: ' for a dropped step)"
        [[ ${F_FIND[$id]} != "${F_REPL[$id]}" ]] || die "fault $id: find and repl are the same"
        [[ -n ${F_LAYERS[$id]} ]] || die "fault $id: no layers"
        for layer in ${F_LAYERS[$id]}; do
            [[ $layer == native || $layer == wine ]] || die "fault $id: unknown layer '$layer'"
        done
    done
}

folder_of() {  # src/app/x.cpp -> src/app
    local path=$1
    path=${path#src/}
    echo "src/${path%%/*}"
}

# How often a snippet occurs in a file, byte for byte.
occurrences() {  # file, snippet
    [[ -f $1 ]] || { echo 0; return; }
    (
        export LC_ALL=C
        IFS= read -r -d '' content <"$1"
        rest=${content//"$2"/}
        echo $(((${#content} - ${#rest}) / ${#2}))
    )
}

# Replaces the one occurrence of find by repl, in place (mode kept).
replace_once() {  # file, find, repl
    (
        export LC_ALL=C
        IFS= read -r -d '' content <"$1"
        printf '%s' "${content/"$2"/"$3"}" >"$1"
    )
}

# ------------------------------------------------- keeping the tree intact

# The fault applied right now, so that any way out of the script (or the
# next run, after a kill) can put the file back.
restore_pending() {
    [[ -f $PENDING/path ]] || return 0
    local path
    path=$(<"$PENDING/path")
    if [[ -f $PENDING/original ]]; then
        cat "$PENDING/original" >"$ROOT/$path"
        if cmp -s "$PENDING/original" "$ROOT/$path"; then
            rm -rf "$PENDING"
            return 0
        fi
    fi
    echo "fault-seed: COULD NOT RESTORE $path; its original is in $PENDING/original" >&2
    return 1
}

repair_interrupted_run() {
    [[ -f $PENDING/path ]] || { rm -rf "$PENDING"; return 0; }
    local path
    path=$(<"$PENDING/path")
    if cmp -s "$PENDING/original" "$ROOT/$path"; then
        rm -rf "$PENDING"
    elif [[ -f $PENDING/mutated ]] && cmp -s "$PENDING/mutated" "$ROOT/$path"; then
        echo "fault-seed: an interrupted run left a fault in $path; putting the original back"
        restore_pending || exit 2
    else
        die "$path differs both from its original and from the fault an interrupted run left in it;
the original is kept in $PENDING/original: compare, repair by hand, then remove $PENDING"
    fi
}

CHILD=
on_signal() {
    trap - INT TERM HUP
    echo
    echo "fault-seed: interrupted; putting the code back"
    if [[ -n $CHILD ]]; then
        # timeout leads its own process group and passes the signal on to it.
        kill -TERM "$CHILD" 2>/dev/null
        wait "$CHILD" 2>/dev/null
    fi
    restore_pending
    exit 130
}

# Runs a command in the background, so that a signal reaches the trap at
# once, within a time limit; returns its status (124 when cut off).
run_limited() {  # seconds, log, command...
    local seconds=$1 log=$2
    shift 2
    timeout --kill-after=30 "$seconds" "$@" </dev/null >>"$log" 2>&1 &
    CHILD=$!
    STOPPED_EARLY=0
    if ((FAIL_FAST)); then
        # One failing test is enough to call a fault caught; the rest of a
        # Wine run would take minutes and tell nothing more.
        while kill -0 "$CHILD" 2>/dev/null; do
            if grep -qE "$FAILED_TEST" "$log"; then
                STOPPED_EARLY=1
                kill -TERM "$CHILD" 2>/dev/null
                break
            fi
            sleep 2
        done
    fi
    wait "$CHILD"
    local status=$?
    CHILD=
    return "$status"
}

# --------------------------------------------------------------- a layer

declare -A CONFIGURED

# Builds the layer's preset, then runs its suites. Sets RESULT to passed,
# failed (M > 0), timeout, broken (the suites ended without a closing line)
# or nobuild, and DETAIL to the closing line or a reason.
run_layer() {  # layer, log
    local layer=$1 log=$2
    local root=${BUILD_ROOT[$layer]} preset=${PRESET[$layer]}
    local dir=$root/$preset
    RESULT= DETAIL=
    : >"$log"
    if [[ -z ${CONFIGURED[$layer]:-} ]]; then
        echo "== cmake --preset $preset -B $dir" >>"$log"
        if ! run_limited 600 "$log" cmake --preset "$preset" -B "$dir"; then
            RESULT=nobuild DETAIL="configure failed"
            return
        fi
        CONFIGURED[$layer]=1
    fi
    # Built here first, so that a fault that does not compile is told apart
    # from one the suites catch (and no stale program gets tested).
    echo "== cmake --build $dir" >>"$log"
    if ! run_limited 1800 "$log" cmake --build "$dir" -j "$JOBS"; then
        RESULT=nobuild DETAIL="build failed"
        return
    fi
    echo "== scripts/run-tests.sh (SCRIBBIT_STEPS=\"${STEPS[$layer]}\" SCRIBBIT_BUILD_ROOT=$root)" >>"$log"
    run_limited "${LIMIT[$layer]}" "$log" \
        env SCRIBBIT_STEPS="${STEPS[$layer]}" SCRIBBIT_BUILD_ROOT="$root" SCRIBBIT_JOBS="$JOBS" \
        "$ROOT/scripts/run-tests.sh"
    local status=$?
    if ((STOPPED_EARLY)); then
        RESULT=failed DETAIL="stopped at the first failing test: $(grep -m1 -E "$FAILED_TEST" "$log")"
        return
    fi
    if ((status == 124 || status == 137)); then
        RESULT=timeout DETAIL="cut off after ${LIMIT[$layer]} s"
        return
    fi
    local line
    line=$(grep -E "$CLOSING_LINE" "$log" | tail -n 1)
    if [[ -z $line ]]; then
        RESULT=broken DETAIL="no closing line (status $status)"
        return
    fi
    DETAIL=$line
    local failed=${line#*, }
    failed=${failed%% *}
    if grep -qE '^build [a-z0-9]+: FAILED' "$log"; then
        RESULT=nobuild DETAIL="run-tests.sh could not build: $line"
    elif ((failed > 0)); then
        RESULT=failed
    else
        RESULT=passed
    fi
}

clock() {  # seconds -> m:ss or h:mm:ss
    local s=$1
    if ((s >= 3600)); then
        printf '%d:%02d:%02d' $((s / 3600)) $((s % 3600 / 60)) $((s % 60))
    else
        printf '%d:%02d' $((s / 60)) $((s % 60))
    fi
}

# ------------------------------------------------------------------- main

load_list

selected=()
if [[ -n $only ]]; then
    IFS=',' read -r -a wanted <<<"$only"
    for id in "${wanted[@]}"; do
        [[ -n ${F_FILE[$id]+set} ]] || die "no fault '$id' in $LIST"
        selected+=("$id")
    done
else
    selected=("${ids[@]}")
fi
if [[ -n $layer_filter ]]; then
    kept=()
    for id in "${selected[@]}"; do
        [[ " ${F_LAYERS[$id]} " == *" $layer_filter "* ]] && kept+=("$id")
    done
    selected=("${kept[@]}")
fi
((${#selected[@]} > 0)) || die "no fault selected"

# The layers one fault runs on.
layers_of() {
    if [[ -n $layer_filter ]]; then
        echo "$layer_filter"
    else
        echo "${F_LAYERS[$1]}"
    fi
}

if ((list_only)); then
    declare -A per_folder per_layer
    printf '%-22s %-12s %-12s %-9s %s\n' ID FOLDER LAYERS SNIPPET DESCRIPTION
    for id in "${selected[@]}"; do
        n=$(occurrences "$ROOT/${F_FILE[$id]}" "${F_FIND[$id]}")
        if ((n == 1)); then state=ok; else state="STALE($n)"; fi
        folder=$(folder_of "${F_FILE[$id]}")
        per_folder[$folder]=$((${per_folder[$folder]:-0} + 1))
        for layer in ${F_LAYERS[$id]}; do per_layer[$layer]=$((${per_layer[$layer]:-0} + 1)); done
        printf '%-22s %-12s %-12s %-9s %s\n' "$id" "$folder" "${F_LAYERS[$id]// /+}" "$state" "${F_DESC[$id]}"
    done
    echo
    printf '%s faults;' "${#selected[@]}"
    for folder in $(printf '%s\n' "${!per_folder[@]}" | sort); do printf ' %s %s,' "$folder" "${per_folder[$folder]}"; done
    printf ' on native %s, on wine %s\n' "${per_layer[native]:-0}" "${per_layer[wine]:-0}"
    exit 0
fi

mkdir -p "$OUT"
exec 9>"$OUT/lock"
flock -n 9 || die "another fault-seed run is using this tree"
repair_interrupted_run
trap on_signal INT TERM HUP
trap 'restore_pending' EXIT

needed=()
for layer in native wine; do
    for id in "${selected[@]}"; do
        if [[ " $(layers_of "$id") " == *" $layer "* ]]; then
            needed+=("$layer")
            break
        fi
    done
done

started=$SECONDS
echo "fault-seed: ${#selected[@]} faults, layers: ${needed[*]}; tree $(git rev-parse --short HEAD 2>/dev/null || echo '?')" \
    "($(git status --porcelain -- src tests 2>/dev/null | wc -l) changed files under src/ and tests/)"
echo "fault-seed: logs in ${OUT#"$ROOT"/}/"

# The baseline: every layer green on the code as it is.
for layer in "${needed[@]}"; do
    t0=$SECONDS
    log=$OUT/baseline-$layer.log
    echo "baseline $layer ..."
    run_layer "$layer" "$log"
    echo "baseline $layer: $RESULT ($DETAIL) $(clock $((SECONDS - t0)))"
    if [[ $RESULT != passed ]]; then
        echo "fault-seed: the $layer suites are not green on the unmodified code, so no fault can be judged;" >&2
        echo "fault-seed: make them pass first (log: ${log#"$ROOT"/})" >&2
        exit 2
    fi
done

declare -A OUTCOME LAYER_OUTCOME ELAPSED NOTE
count=0
for id in "${selected[@]}"; do
    count=$((count + 1))
    t0=$SECONDS
    file=${F_FILE[$id]}
    target=$ROOT/$file
    n=$(occurrences "$target" "${F_FIND[$id]}")
    if ((n != 1)); then
        OUTCOME[$id]=stale
        NOTE[$id]="snippet found $n times in $file"
        echo "[$count/${#selected[@]}] $id: STALE: the snippet occurs $n times in $file (it must occur once); update $LIST" >&2
        ELAPSED[$id]=0
        continue
    fi

    rm -rf "$PENDING"
    mkdir -p "$PENDING"
    cp "$target" "$PENDING/original"
    printf '%s' "$file" >"$PENDING/path"
    replace_once "$target" "${F_FIND[$id]}" "${F_REPL[$id]}"
    cp "$target" "$PENDING/mutated"
    if cmp -s "$PENDING/original" "$target"; then
        restore_pending
        die "fault $id did not change $file"
    fi

    outcome=missed
    summary=()
    for layer in $(layers_of "$id"); do
        log=$OUT/$id.$layer.log
        run_layer "$layer" "$log"
        case $RESULT in
            failed | timeout) LAYER_OUTCOME[$id.$layer]=caught; outcome=caught ;;
            passed) LAYER_OUTCOME[$id.$layer]=missed ;;
            nobuild | broken)
                LAYER_OUTCOME[$id.$layer]=invalid
                outcome=invalid
                NOTE[$id]="$layer: $DETAIL (log: ${log#"$ROOT"/})"
                ;;
        esac
        summary+=("$layer $RESULT: $DETAIL")
        [[ $outcome == invalid ]] && break
    done
    if ! restore_pending; then
        exit 2
    fi
    OUTCOME[$id]=$outcome
    ELAPSED[$id]=$((SECONDS - t0))
    printf '[%d/%d] %-22s %-8s %6s  %s\n' "$count" "${#selected[@]}" "$id" "$outcome" "$(clock "${ELAPSED[$id]}")" \
        "$(IFS=';'; echo "${summary[*]}")"
    if [[ $outcome == invalid ]]; then
        echo "[$count/${#selected[@]}] $id: INVALID: ${NOTE[$id]}; fix the fault in $LIST" >&2
    fi
done

# ---------------------------------------------------------------- summary

report() {
    echo
    echo "===== fault seeding: summary ====="
    printf '%-22s %-12s %-12s %-8s %-8s %-8s %8s\n' ID FOLDER LAYERS NATIVE WINE RESULT TIME
    local id layer folder
    declare -A caught_in total_in
    local caught=0 total=0 stale=0 invalid=0
    for id in "${selected[@]}"; do
        folder=$(folder_of "${F_FILE[$id]}")
        printf '%-22s %-12s %-12s %-8s %-8s %-8s %8s\n' "$id" "$folder" "${F_LAYERS[$id]// /+}" \
            "${LAYER_OUTCOME[$id.native]:--}" "${LAYER_OUTCOME[$id.wine]:--}" "${OUTCOME[$id]}" \
            "$(clock "${ELAPSED[$id]}")"
        case ${OUTCOME[$id]} in
            caught | missed)
                total=$((total + 1))
                total_in[$folder]=$((${total_in[$folder]:-0} + 1))
                if [[ ${OUTCOME[$id]} == caught ]]; then
                    caught=$((caught + 1))
                    caught_in[$folder]=$((${caught_in[$folder]:-0} + 1))
                fi
                ;;
            stale) stale=$((stale + 1)) ;;
            invalid) invalid=$((invalid + 1)) ;;
        esac
    done
    echo
    for folder in $(printf '%s\n' "${!total_in[@]}" | sort); do
        printf '  %-12s caught %d of %d\n' "$folder" "${caught_in[$folder]:-0}" "${total_in[$folder]}"
    done
    local missed_list=()
    for id in "${selected[@]}"; do
        [[ ${OUTCOME[$id]} == missed ]] && missed_list+=("$id")
    done
    if ((${#missed_list[@]})); then
        echo
        echo "missed (no suite noticed):"
        for id in "${missed_list[@]}"; do printf '  %-22s %s\n' "$id" "${F_DESC[$id]}"; done
    fi
    if ((stale + invalid)); then
        echo
        echo "NOT COUNTED: $stale stale, $invalid invalid; fix them in scripts/fault-seed.list:"
        for id in "${selected[@]}"; do
            [[ ${OUTCOME[$id]} == stale || ${OUTCOME[$id]} == invalid ]] &&
                printf '  %-22s %-8s %s\n' "$id" "${OUTCOME[$id]}" "${NOTE[$id]}"
        done
    fi
    echo
    echo "total time $(clock $((SECONDS - started)))"
    echo "caught $caught of $total"
    ((stale + invalid == 0))
}

report | tee "$OUT/summary.txt"
exit "${PIPESTATUS[0]}"
