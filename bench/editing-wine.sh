#!/usr/bin/env bash
# The editing commands of ScribbitⅡ under Wine on a 10 MB mixed Japanese text
# (SCRIBBIT_BENCH_MB sets another size, SCRIBBIT_BENCH_CHANGES=0,1,... times
# only those entries of the text-processing menu),
# next to tools that do comparable work on the same file:
#   - every entry of the text-processing menu on the whole text, a text-mode
#     Find Next to the last occurrence and a Replace all with over a million
#     replacements, timed by the benchmark driver from the command until
#     the edit view holds the new text (and the Undo that takes it back);
#   - as references, on the same Shift-JIS file: nkf, ICU uconv, the
#     coreutils that do the plain-text jobs, and a plain copy of the file.
# Reference times are the best of three runs; the program's are single runs,
# since each one is followed by its Undo. Prints seconds and the ratios.
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
echo "file: $(stat -c %s "$text") bytes of Shift-JIS, $forms forms of が; Wine: $("$SCRIBBIT_WINE64" --version)"
rows=$work/rows.txt
"${SCRIBBIT_WINE_CMD[@]}" "$(scribbit_winepath "$build/scribbit_bench.exe")" editing \
    --exe "$(scribbit_winepath "$build/ScribbitⅡ.exe")" \
    --work "$(scribbit_winepath "$work/run")" \
    --file "$(scribbit_winepath "$text")" \
    --find marker --replace が '[GA]' ${SCRIBBIT_BENCH_CHANGES:+--changes "$SCRIBBIT_BENCH_CHANGES"} </dev/null 2>&1 |
    stdbuf -oL tr -d '\r' | { grep --line-buffered -v "$SCRIBBIT_WINE_NOISE" || true; } | tee "$work/driver.log" |
    { grep --line-buffered '^row|' || true; } >"$rows" || true

# Seconds of one field of the driver's row for key; "fail" for a failed step.
ours() { awk -F'|' -v k="$1" -v f="$2" '$2 == k { if ($f < 0) print "fail"; else printf "%.2f", $f / 1000 }' "$rows"; }
copy=$(best_of_three "cat > /dev/null; cp '$text' '$work/copy.txt'")
echo "plain copy of the file (cp): $copy s; opening it in ScribbitⅡ: $(ours open 3) s"
echo
row() { printf '%-22s %8s %8s %8s %8s %8s %10s\n' "$@"; }
# Our seconds over the fastest of the references given ("-": none).
ratio() {
    awk 'BEGIN {
        best = -1
        for (i = 2; i < ARGC; i++) if (ARGV[i] != "-" && (best < 0 || ARGV[i] + 0 < best)) best = ARGV[i] + 0
        if (ARGV[1] == "fail" || ARGV[1] == "" || best <= 0) print "-"; else printf "%.1f", ARGV[1] / best
    }' "$@"
}
row "command" "ours s" "undo s" "nkf s" "uconv s" "tool s" "ours/best"
while IFS='|' read -r index caption nkf_cmd uconv_cmd tool_cmd; do
    mine=$(ours "change$index" 3)
    undo=$(ours "change$index" 4)
    n=-; [[ -n $nkf_cmd ]] && n=$(best_of_three "$nkf_cmd")
    c=-; [[ -n $uconv_cmd ]] && c=$(best_of_three "$uconv_cmd")
    o=-; [[ -n $tool_cmd ]] && o=$(best_of_three "$tool_cmd")
    ratio=$(ratio "$mine" "$n" "$c" "$o")
    row "$caption" "${mine:-fail}" "${undo:-fail}" "$n" "$c" "$o" "$ratio"
done <<<"$references"
grep_ref=$(best_of_three "iconv -f CP932 -t UTF-8 | grep -c -i -E 'marker|ＭＡＲＫＥＲ'")
sed_ref=$(best_of_three "iconv -f CP932 -t UTF-8 | sed -E 's/が|ガ|ｶﾞ/[GA]/g' | iconv -f UTF-8 -t CP932")
row "Find Next (last)" "$(ours find 3)" - - - "$grep_ref" "$(ratio "$(ours find 3)" "$grep_ref")"
row "Replace all" "$(ours replaceall 3)" "$(ours replaceall 4)" - - "$sed_ref" \
    "$(ratio "$(ours replaceall 3)" "$sed_ref")"
echo
awk -F'|' '$2 == "replaceall" || $2 == "find" { print $2 ": " $5 }' "$rows"
echo "tools: grep = iconv | grep -c (whole file), sed = iconv | sed | iconv; ratio = ours / fastest reference"
if ! grep -q '^failed steps: 0$' "$work/driver.log"; then
    echo "some steps failed; see $work/driver.log"
    exit 1
fi
