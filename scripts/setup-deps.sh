#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Idempotent: when everything is present it returns at once without
# touching apt, so the other scripts can call it on every run.
set -euo pipefail

packages=(
    cmake ninja-build g++ libgtest-dev googletest clang libclang-rt-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64
    wine wine64
    xvfb imagemagick xdotool fonts-ipafont
    locales nkf icu-devtools
    cups printer-driver-cups-pdf poppler-utils
)

# One dpkg-query for all of them; packages it does not know print nothing.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
    awk '$NF == "installed" && $(NF-1) == "ok" { print $1 }' || true)
missing=()
for package in "${packages[@]}"; do
    if ! grep -qx -- "$package" <<<"$installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "setup-deps: installing ${missing[*]}" >&2
run_as_root=()
if [[ $(id -u) -ne 0 ]]; then
    if command -v sudo >/dev/null 2>&1; then
        run_as_root=(sudo)
    else
        echo "setup-deps: missing packages (${missing[*]}) and not root; run as root or install sudo" >&2
        exit 1
    fi
fi

export DEBIAN_FRONTEND=noninteractive
"${run_as_root[@]}" apt-get update -q </dev/null
"${run_as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q "${missing[@]}" </dev/null
