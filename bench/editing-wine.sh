#!/usr/bin/env bash
# The editing commands of ScribbitⅡ under Wine on a 10 MB mixed Japanese text
# (SCRIBBIT_BENCH_MB sets another size; SCRIBBIT_BENCH_CHANGES=0,1,... times
# only those entries of the text-processing menu; SCRIBBIT_BENCH_WRAP=off or
# on only that word-wrap state; SCRIBBIT_BENCH_REPEAT=N, 2 unless set, runs
# the open, each conversion, Replace all and switch N times and keeps the
# fastest, as the control's own times swing by a third between runs, and a
# row still over 1.10 times its floor up to N times more), each beside its
# floor: what a bare edit control, made like the program's views, costs for
# the same work on the same text in the same run (bench/wine/edit_floor.cpp):
#   - open from the command line (floor: the program's start without a file,
#     plus WM_SETTEXT of the text);
#   - every entry of the text-processing menu on the whole text and a Replace
#     all with over a million replacements, with word wrap off and on (floor:
#     select all, EM_REPLACESEL of the same result and the caret put back
#     where the command leaves it), and the Undo that
#     takes each back (floor: EM_UNDO); with word wrap on, a conversion that
#     makes a line of over 100,000 characters is left out (the control alone
#     wraps such a line for minutes);
#   - the word-wrap switch both ways (floor: WM_SETTEXT into a control of the
#     other kind) and the count-unit switch both ways, the median of 61
#     times each, the program or the floor first as drawn for each round
#     (floor: a message round trip and a wait for a paint with none to do,
#     the busy pointer on and then the one the window under the
#     mouse asks for, the text's length read, or for bytes the text and its
#     size in the code page by the system's converter, and both panels set in
#     a copy of the program's status bar);
#   - a text-mode Find Next to the last occurrence (no floor: the control only
#     selects);
#   - one conversion and one Replace all on a document of the same size whose
#     changes all lie in its last 1,000 characters, beside the floor of
#     putting the whole result in (these must stay under 0.5 s);
#   - as references, on the same Shift-JIS file: nkf, ICU uconv, the coreutils
#     that do the plain-text jobs (best of three runs).
# Every time of the program runs until its view has painted the result. The
# last line is the worst ratio to the floor over open, the conversions,
# Replace all and the two switches.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
source "$ROOT/scripts/wine-env.sh"
"$ROOT/scripts/setup-deps.sh"
for tool in nkf uconv; do
    command -v "$tool" >/dev/null || {
        sudo_cmd=(); ((EUID == 0)) || sudo_cmd=(sudo)
        "${sudo_cmd[@]}" apt-get install -y -q nkf icu-devtools >/dev/null
    }
done

build=$SCRIBBIT_BUILD_ROOT/win64
work=$SCRIBBIT_BUILD_ROOT/bench-editing
mkdir -p "$work"
cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" -j "${SCRIBBIT_JOBS:-2}" --target scribbit scribbit_bench

# Lines of random pieces (hiragana, katakana, kanji, ASCII, full-width forms,
# half-width kana with voiced marks, quotes, slashes, tabs, spaces), each
# piece followed by one form of "が" (が, ガ or ｶﾞ), CR LF line ends with a
# trailing space, and one full-width "ＭＡＲＫＥＲ" at the very end.
size_mb=${SCRIBBIT_BENCH_MB:-10}
text=$work/text-${size_mb}mb.txt
if [[ ! -f $text ]]; then
    awk -v target=$((size_mb * 1024 * 1024)) 'BEGIN {
        split("ひら|カナ|漢字|AB|ＦＷ|ﾊﾟﾝ|a\\b/|\"q\"|\t|  |東京|Ｅｄ", pieces, "|")
        split("が ガ ｶﾞ", ga, " ")
        # Shift-JIS sizes of the pieces and forms, to stop at the target size.
        split("4 4 4 2 4 3 4 3 1 2 4 4", size, " ")
        seed = 2002; bytes = 0; chunk = 0
        while (bytes < target) {
            seed = (seed * 75 + 74) % 65537; p = seed % 12 + 1
            seed = (seed * 75 + 74) % 65537; g = seed % 3 + 1
            printf "%s%s", pieces[p], ga[g]
            bytes += size[p] + 2
            if (++chunk % 8 == 0) { printf " \r\n"; bytes += 3 }
        }
        printf "ＭＡＲＫＥＲ"
    }' | iconv -f UTF-8 -t CP932 >"$text.tmp"
    mv "$text.tmp" "$text"
fi
forms=$(iconv -f CP932 -t UTF-8 "$text" | grep -o -E 'が|ガ|ｶﾞ' | wc -l)

# The same size, but nothing that 小文字→大文字 or Replace all of が changes
# until its last 1,000 characters: upper-case and Japanese lines without any
# form of が, then 90 short lines that have lower case and が.
partial=$work/partial-${size_mb}mb.txt
if [[ ! -f $partial ]]; then
    awk -v target=$((size_mb * 1024 * 1024)) 'BEGIN {
        split("ひら|カナ|漢字|AB|ＦＷ|ﾊﾟﾝ|A/B|\t|  |東京|ＸＹ", pieces, "|")
        split("4 4 4 2 4 3 3 1 2 4 4", size, " ")
        seed = 1957; bytes = 0; chunk = 0
        while (bytes < target - 1000) {
            seed = (seed * 75 + 74) % 65537; p = seed % 11 + 1
            printf "%s", pieces[p]
            bytes += size[p]
            if (++chunk % 12 == 0) { printf " \r\n"; bytes += 3 }
        }
        for (i = 0; i < 90; i++) printf "xyzが%02d\r\n", i
    }' | iconv -f UTF-8 -t CP932 >"$partial.tmp"
    mv "$partial.tmp" "$partial"
fi

# Seconds of the best of three runs of a shell command reading the text.
best_of_three() {
    local best="" i start end s
    for i in 1 2 3; do
        start=$(date +%s%N)
        bash -c "$1" <"$text" >"$work/reference.out"
        end=$(date +%s%N)
        s=$(awk -v ns=$((end - start)) 'BEGIN { printf "%.3f", ns / 1e9 }')
        if [[ -z $best ]] || awk -v a="$s" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$s; fi
    done
    echo "$best"
}

# index in the text-processing menu | caption | nkf | uconv | another tool
# (read raw: the commands are taken exactly as they stand here)
references=$(cat <<'EOF'
0|ひらがな→カタカナ|nkf -s -S --katakana|uconv -f cp932 -t cp932 -x Hiragana-Katakana|
1|全角→半角|nkf -s -S -Z4|uconv -f cp932 -t cp932 -x Fullwidth-Halfwidth|
2|小文字→大文字||uconv -f cp932 -t cp932 -x Any-Upper|tr a-z A-Z
4|カタカナ→ひらがな|nkf -s -S --hiragana|uconv -f cp932 -t cp932 -x Katakana-Hiragana|
5|半角→全角|nkf -s -S -X|uconv -f cp932 -t cp932 -x Halfwidth-Fullwidth|
6|大文字→小文字||uconv -f cp932 -t cp932 -x Any-Lower|tr A-Z a-z
8|CR+LF→LF|nkf -s -S -Lu||tr -d '\r'
9|LF→CR+LF|nkf -s -S -Lw||
11|タブ→スペース|||expand -t 4
12|スペース→タブ|||unexpand -a -t 4
14|\→/|||tr '\\' /
15|/→\|||tr / '\\'
17|行末のスペース削除|||sed 's/[ \t]*\r$/\r/'
18|改行(CR+LF)の削除|||tr -d '\r\n'
20|行末に<br>追加|||sed 's/\r$/<br>\r/'
EOF
)

scribbit_wine_start --xvfb
echo "file: $(stat -c %s "$text") bytes of Shift-JIS, $forms forms of が; Wine: $("$SCRIBBIT_WINE64" --version); load $(cut -d' ' -f1-3 /proc/loadavg)"
rows=$work/rows.txt
"${SCRIBBIT_WINE_CMD[@]}" "$(scribbit_winepath "$build/scribbit_bench.exe")" editing \
    --exe "$(scribbit_winepath "$build/ScribbitⅡ.exe")" \
    --work "$(scribbit_winepath "$work/run")" \
    --file "$(scribbit_winepath "$text")" \
    --partial "$(scribbit_winepath "$partial")" --partial-change 2 --wrap "${SCRIBBIT_BENCH_WRAP:-off,on}" \
    --find marker --replace が '[GA]' --repeat "${SCRIBBIT_BENCH_REPEAT:-2}" \
    ${SCRIBBIT_BENCH_CHANGES:+--changes "$SCRIBBIT_BENCH_CHANGES"} </dev/null 2>&1 |
    stdbuf -oL tr -d '\r' | { grep --line-buffered -v "$SCRIBBIT_WINE_NOISE" || true; } | tee "$work/driver.log" |
    { grep --line-buffered '^row|' || true; } >"$rows" || true

# A field of the driver's row for table and key, in seconds ("-" when the
# row or the figure is missing, "fail" for a failed step).
field() {
    awk -F'|' -v t="$1" -v k="$2" -v f="$3" '$2 == t && $3 == k {
        found = 1
        if ($f == "" || $f < 0 && f > 4) print "-"; else if ($f < 0) print "fail"; else printf "%.3f", $f / 1000 }
        END { if (!found) print "-" }' "$rows"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "-" || a == "fail" || b == "-" || b == "fail" || b <= 0) print "-"; else printf "%.2f", a / b }'; }
# The ratio of two fields of a row, from the driver's milliseconds (the
# table's seconds are too coarse for the count switches).
ratio_of() {
    awk -F'|' -v t="$1" -v k="$2" -v a="$3" -v b="$4" '$2 == t && $3 == k { found = 1
            if ($a < 0 || $b <= 0) print "-"; else printf "%.2f", $a / $b }
        END { if (!found) print "-" }' "$rows"
}
row() { printf '%-22s %8s %8s %6s %8s %8s %6s %8s\n' "$@"; }
# Fastest of the references given ("-": none).
fastest() {
    awk 'BEGIN { best = -1; for (i = 1; i < ARGC; i++) if (ARGV[i] != "-" && (best < 0 || ARGV[i] + 0 < best)) best = ARGV[i] + 0
                 if (best < 0) print "-"; else printf "%.3f", best }' "$@"
}

declare -A tool_time=()
while IFS='|' read -r index caption nkf_cmd uconv_cmd tool_cmd; do
    n=-; [[ -n $nkf_cmd ]] && n=$(best_of_three "$nkf_cmd")
    c=-; [[ -n $uconv_cmd ]] && c=$(best_of_three "$uconv_cmd")
    o=-; [[ -n $tool_cmd ]] && o=$(best_of_three "$tool_cmd")
    tool_time[$index]=$(fastest "$n" "$c" "$o")
done <<<"$references"
tool_time[replaceall]=$(best_of_three "iconv -f CP932 -t UTF-8 | sed -E 's/が|ガ|ｶﾞ/[GA]/g' | iconv -f UTF-8 -t CP932")
grep_ref=$(best_of_three "iconv -f CP932 -t UTF-8 | grep -c -i -E 'marker|ＭＡＲＫＥＲ'")
copy=$(best_of_three "cat > /dev/null; cp '$text' '$work/copy.txt'")

# The ratios that must stay near 1: every figure the control bounds.
ratios=$work/ratios.txt
: >"$ratios"
bound() { if [[ $1 != - ]]; then echo "$1 $2" >>"$ratios"; fi; }

echo
row "command" "ours s" "floor s" "ratio" "undo s" "floor s" "ratio" "tool s"
for table in off on; do
    grep -q "^row|$table|" "$rows" || continue
    echo "-- word wrap $table --"
    while IFS='|' read -r index caption _; do
        mine=$(field $table change$index 4)
        if skipped=$(grep -m1 "^skip|$table|change$index|" "$work/driver.log"); then
            echo "$caption: left out, ${skipped##*|}"
            continue
        fi
        [[ $mine == - ]] && continue
        floor=$(field $table change$index 5)
        undo=$(field $table change$index 6)
        undo_floor=$(field $table change$index 7)
        r=$(ratio_of $table change$index 4 5)
        bound "$r" "$caption (wrap $table)"
        row "$caption" "$mine" "$floor" "$r" "$undo" "$undo_floor" "$(ratio_of $table change$index 6 7)" \
            "$([[ $table == off ]] && echo "${tool_time[$index]}" || echo -)"
    done <<<"$references"
    mine=$(field $table replaceall 4)
    floor=$(field $table replaceall 5)
    r=$(ratio_of $table replaceall 4 5)
    bound "$r" "Replace all (wrap $table)"
    row "Replace all" "$mine" "$floor" "$r" "$(field $table replaceall 6)" "$(field $table replaceall 7)" \
        "$(ratio_of $table replaceall 6 7)" \
        "$([[ $table == off ]] && echo "${tool_time[replaceall]}" || echo -)"
done
echo "-- other commands --"
for entry in "open|open (command line)" "wrapon|word wrap on" "wrapoff|word wrap off" \
    "count-chars|count in characters" "count-bytes|count in bytes"; do
    key=${entry%%|*}
    mine=$(field misc "$key" 4)
    [[ $mine == - ]] && continue
    floor=$(field misc "$key" 5)
    r=$(ratio_of misc "$key" 4 5)
    bound "$r" "${entry#*|}"
    if [[ $key == count-* ]]; then
        # A switch takes milliseconds: shown in them.
        mine=$(awk -F'|' -v k="$key" '$3 == k { printf "%.1f ms", $4 }' "$rows")
        floor=$(awk -F'|' -v k="$key" '$3 == k { printf "%.1f ms", $5 }' "$rows")
    fi
    row "${entry#*|}" "$mine" "$floor" "$r" - - - -
done
row "Find Next (last)" "$(field misc find 4)" - - - - - "$grep_ref"
echo "-- changes only in the last 1,000 characters of $(stat -c %s "$partial") bytes (under 0.5 s) --"
for key in partial-change2 partial-replaceall; do
    mine=$(field misc $key 4)
    verdict=$(awk -v s="$mine" 'BEGIN { print (s != "-" && s != "fail" && s < 0.5) ? "under 0.5 s" : "NOT under 0.5 s" }')
    row "$([[ $key == partial-change2 ]] && echo 小文字→大文字 || echo "Replace all")" "$mine" \
        "$(field misc $key 5)" "$(ratio "$mine" "$(field misc $key 5)")" - - - "$verdict"
done
echo
awk -F'|' '$3 == "replaceall" || $3 == "find" || $3 == "open" || $3 ~ /^count|^wrap/ { print $2 " " $3 ": " $8 }' "$rows"
echo "plain copy of the file (cp): $copy s"
echo "floor: a bare edit control in the benchmark's process, made like the program's views, on the same"
echo "text; ratio = ours / floor; tool = the fastest of nkf, uconv and coreutils (sed, grep: iconv | ...)"
status=0
if ! grep -q '^failed steps: 0$' "$work/driver.log"; then
    echo "some steps failed; see $work/driver.log"
    status=1
fi
worst=$(sort -g -r "$ratios" | head -1)
echo "the worst: ${worst#* }"
echo "worst ratio to the control's floor: ${worst%% *}"
exit $status
