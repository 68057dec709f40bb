#!/usr/bin/env bash
# Checks that every include under src/ runs downwards: a file includes files
# of its own folder and of the folders below it in the order written in
# src/README.md (the fenced block after "Include order"), never one above
# it, and folders on one line of that order are peers that include none of
# each other. The last folder (win32) may include anything in src/. Prints
# "file:line: includes x, which is above folder" for each include against
# the order and exits non-zero when there is one. Needs only bash and awk.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# First the README (the order), then every source file under src/.
find src -type f \( -name '*.h' -o -name '*.cpp' \) | LC_ALL=C sort | xargs awk '
    FNR == NR {
        if (!started) { if ($0 ~ /^Include order/) started = 1; next }
        if ($0 ~ /^```/) { if (inside) { done = 1 } else { inside = 1 }; next }
        if (inside && !done && NF) { ++level; for (i = 1; i <= NF; ++i) rank[$i] = level }
        next
    }
    FNR == 1 {
        if (!level) { print "src/README.md: no include order found"; bad = 1; exit }
        own = FILENAME
        sub(/^src\//, "", own)
        if (own ~ /\//) sub(/\/.*/, "", own); else own = ""
        if (!(own in rank)) { print FILENAME ": its folder is not in src/README.md'"'"'s include order"; ++bad }
    }
    /^[ \t]*#[ \t]*include[ \t]*"/ {
        if (!(own in rank)) next
        match($0, /"[^"]*"/)
        included = substr($0, RSTART + 1, RLENGTH - 2)
        folder = included
        if (folder !~ /\//) next  # resource headers and the like, not a src/ folder
        sub(/\/.*/, "", folder)
        if (!(folder in rank) || folder == own) next
        if (rank[folder] > rank[own]) {
            print FILENAME ":" FNR ": includes " included ", which is above " own; ++bad
        } else if (rank[folder] == rank[own]) {
            print FILENAME ":" FNR ": includes " included ", which is beside " own " (peers include none of each other)"; ++bad
        }
    }
    END { exit bad > 0 }
' src/README.md
