# Shared by the Wine benchmarks (sourced): the Shift-JIS documents they open.

# One block of varied lines (Japanese and ASCII, CR LF line ends); the
# documents repeat it.
bench_text_block() {
    local i
    for ((i = 0; i < 40; i++)); do
        printf '%04d 吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。\r\n' "$i"
        printf 'ASCII line %04d: The quick brown fox jumps over the lazy dog. 0123456789\r\n' "$i"
        printf 'カタカナとひらがな、漢字の混じった行 %04d 東京都千代田区 (テスト) [%d]\r\n' "$i" $((i * 7))
        printf '\r\n'
    done
}

# bench_text_file PATH SIZE: whole blocks, at least SIZE bytes; an existing
# file that is large enough is kept.
bench_text_file() {
    local path=$1 size=$2
    [[ -f $path && $(stat -c %s "$path") -ge $size ]] && return 0
    local block=$path.block
    bench_text_block | iconv -f UTF-8 -t CP932 >"$block"
    local block_size repeats made
    block_size=$(stat -c %s "$block")
    repeats=$(((size + block_size - 1) / block_size))
    # Doubling keeps this fast for 10 MB without a loop per block.
    cp "$block" "$path.unit"
    made=1
    while ((made * 2 <= repeats)); do
        cat "$path.unit" "$path.unit" >"$path.next" && mv "$path.next" "$path.unit"
        made=$((made * 2))
    done
    cp "$path.unit" "$path.tmp"
    for ((; made < repeats; made++)); do cat "$block" >>"$path.tmp"; done
    rm -f "$path.unit" "$block"
    mv "$path.tmp" "$path"
}
