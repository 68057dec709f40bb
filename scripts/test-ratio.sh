#!/bin/bash
# Prints the size of the tests against the product code: non-blank lines of
# every tracked text file under tests/ against src/ and resources/. A line
# that holds nothing but one string literal (maybe followed by , ; or )) is
# data and counted on neither side; bench/ is counted on neither side, and
# nor are the fuzz targets' corpora (their inputs, data as well).
# The budget is tests at most a third of the product code.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    git ls-files -z -- "$@" | xargs -0 grep -Ih '' |
        grep -v '^[[:space:]]*$' |
        grep -Evc '^[[:space:]]*(u8|u|U|L)?"([^"\\]|\\.)*"[[:space:]]*[,;)]?[[:space:]]*$'
}

tests=$(count tests ':!tests/fuzz/corpus')
code=$(count src resources)
awk -v t="$tests" -v c="$code" \
    'BEGIN { printf "tests %d lines, code %d lines: %.2f%% (budget: at most %d lines of tests)\n", t, c, 100 * t / c, int(c / 3) }'
