# Wine environment shared by run-editor.sh, run-tests.sh and the benchmarks.
# Source it, then call scribbit_wine_start; it leaves a private Wine prefix,
# a display and the Japanese locale ready, and scribbit_wine_stop (installed
# as the EXIT trap) takes them down again.
#
# What it prepares, and why:
# - The ja_JP.UTF-8 locale, generated under the cache folder: without it Wine
#   falls back to the ANSI code page 1252, and the program needs 932.
# - One prepared 64-bit prefix, booted under that locale (a prefix booted
#   under the C locale draws Japanese menus as empty boxes), with the Windows
#   Japanese font names mapped onto the IPA fonts, Marlett installed, the
#   crash dialog off and a 1024x768 virtual desktop (so screenshots show the
#   window frame). It is stamped with the Wine version and this file's hash
#   and rebuilt when either changes.
# - Per run, a hard-linked copy of that prefix with real copies of the files
#   Wine rewrites in place, so runs never disturb each other or the original.
# - Xvfb on a free display when there is no $DISPLAY (or when asked for).
#
# This machine cannot run 32-bit Linux programs, so the 64-bit loader is used
# directly (never /usr/bin/wine, which picks the 32-bit one when present).

SCRIBBIT_ROOT=${SCRIBBIT_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
SCRIBBIT_BUILD_ROOT=${SCRIBBIT_BUILD_ROOT:-$SCRIBBIT_ROOT/build}
case $SCRIBBIT_BUILD_ROOT in /*) ;; *) SCRIBBIT_BUILD_ROOT=$SCRIBBIT_ROOT/$SCRIBBIT_BUILD_ROOT ;; esac
SCRIBBIT_CACHE_DIR=${SCRIBBIT_CACHE_DIR:-${XDG_CACHE_HOME:-${HOME:-$SCRIBBIT_BUILD_ROOT}/.cache}/scribbit}
SCRIBBIT_WINE64=/usr/lib/wine/wine64
SCRIBBIT_WINESERVER=/usr/lib/wine/wineserver64
SCRIBBIT_SCREEN=${SCRIBBIT_SCREEN:-1024x768}

scribbit_log() { echo "wine-env: $*" >&2; }

# A line Wine prints whenever a file dialog looks at drive Z: (the Linux
# root, which has no volume label); it says nothing about the program.
SCRIBBIT_WINE_NOISE='FS volume label and serial are not available'


# Every Wine call goes through here so the environment is always complete.
# The locale is handed to Wine alone: this shell cannot switch to a locale
# that was generated after it started.
SCRIBBIT_WINE_CMD=(env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$SCRIBBIT_WINE64")
scribbit_wine() {
    "${SCRIBBIT_WINE_CMD[@]}" "$@"
}

scribbit_wine_common_env() {
    export WINEARCH=win64
    export WINELOADER=$SCRIBBIT_WINE64
    export WINESERVER=$SCRIBBIT_WINESERVER
    export WINEDEBUG=${SCRIBBIT_WINEDEBUG:--all}
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LOCPATH=$SCRIBBIT_CACHE_DIR/locale
    unset LANGUAGE
}

scribbit_ensure_locale() {
    local dir=$SCRIBBIT_CACHE_DIR/locale
    if [[ -f $dir/ja_JP.UTF-8/LC_CTYPE ]]; then
        return 0
    fi
    mkdir -p "$dir"
    # localedef exits 1 for mere warnings; judge by what it produced.
    localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8" 2>/dev/null || true
    if [[ ! -f $dir/ja_JP.UTF-8/LC_CTYPE ]]; then
        scribbit_log "could not generate the ja_JP.UTF-8 locale (package locales missing?)"
        return 1
    fi
}

# Starts Xvfb on a display that is free, records it in DISPLAY.
scribbit_start_xvfb() {
    local fdfile=$SCRIBBIT_RUN_DIR/xvfb.display
    : >"$fdfile"
    Xvfb -displayfd 9 -screen 0 "${SCRIBBIT_SCREEN}x24" -nolisten tcp -noreset \
        9>"$fdfile" >"$SCRIBBIT_RUN_DIR/xvfb.log" 2>&1 &
    SCRIBBIT_XVFB_PID=$!
    local i
    for ((i = 0; i < 200; i++)); do
        if [[ -s $fdfile ]]; then
            export DISPLAY=:$(tr -d '[:space:]' <"$fdfile")
            # A bare Xvfb has no resource database, and libX11 then looks for
            # one again, in files, at every font selection Wine makes; the
            # edit control selects its font once per line, so under word wrap
            # that search took half its time. A desktop session always has a
            # database; an empty one, found once, changes nothing that is
            # drawn.
            if [[ -z ${XENVIRONMENT:-} ]]; then
                printf '! no resources\n' >"$SCRIBBIT_RUN_DIR/Xresources"
                export XENVIRONMENT=$SCRIBBIT_RUN_DIR/Xresources
            fi
            return 0
        fi
        if ! kill -0 "$SCRIBBIT_XVFB_PID" 2>/dev/null; then
            break
        fi
        sleep 0.05
    done
    scribbit_log "Xvfb did not start; see $SCRIBBIT_RUN_DIR/xvfb.log"
    return 1
}

# The registry settings of the prepared prefix. Written as UTF-16LE with a
# byte-order mark: regedit reads the Japanese face names correctly only so.
scribbit_registry_text() {
    cat <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS UI Gothic"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"Meiryo"="IPAPGothic"
"メイリオ"="IPAPGothic"
"Meiryo UI"="IPAPGothic"
"Yu Gothic"="IPAPGothic"
"Yu Gothic UI"="IPAPGothic"
"游ゴシック"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"
"MS Gothic"="IPAGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Mincho"="IPAMincho"
"ＭＳ 明朝"="IPAMincho"
"MS PMincho"="IPAPMincho"
"ＭＳ Ｐ明朝"="IPAPMincho"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"MS Shell Dlg"="MS UI Gothic"
"MS Shell Dlg 2"="MS UI Gothic"

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="SCREEN_SIZE"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
}

scribbit_prefix_stamp() {
    local version
    version=$(dpkg-query -W -f='${Version}' wine64 2>/dev/null || "$SCRIBBIT_WINE64" --version)
    printf '%s\n%s\n%s\n' "$version" "$SCRIBBIT_SCREEN" "$(sha256sum <"${BASH_SOURCE[0]}")" |
        sha256sum | cut -c1-16
}

# Builds the prepared prefix when it is missing or stale. Serialised with a
# lock so that parallel runs build it once.
scribbit_ensure_prepared_prefix() {
    local stamp
    stamp=$(scribbit_prefix_stamp)
    SCRIBBIT_PREPARED_PREFIX=$SCRIBBIT_CACHE_DIR/prefix-$stamp
    if [[ -f $SCRIBBIT_PREPARED_PREFIX/.scribbit-ready ]]; then
        return 0
    fi
    mkdir -p "$SCRIBBIT_CACHE_DIR"
    (
        flock 8
        if [[ -f $SCRIBBIT_PREPARED_PREFIX/.scribbit-ready ]]; then
            exit 0
        fi
        scribbit_log "preparing a Wine prefix (once per Wine version, ~15 s)"
        local building=$SCRIBBIT_CACHE_DIR/building-$stamp
        rm -rf "$building"
        mkdir -p "$building"
        export WINEPREFIX=$building
        scribbit_wine wineboot -i >/dev/null 2>&1 || true
        "$SCRIBBIT_WINESERVER" -w
        if [[ ! -f $building/system.reg ]]; then
            scribbit_log "wineboot failed to create a prefix"
            exit 1
        fi
        local reg=$building/drive_c/scribbit-setup.reg
        {
            printf '\xff\xfe'
            scribbit_registry_text | sed "s/SCREEN_SIZE/$SCRIBBIT_SCREEN/" |
                sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
        } >"$reg"
        scribbit_wine regedit /S 'C:\scribbit-setup.reg' >/dev/null 2>&1 || true
        "$SCRIBBIT_WINESERVER" -w
        mkdir -p "$building/drive_c/windows/Fonts"
        cp /usr/share/wine/fonts/marlett.ttf "$building/drive_c/windows/Fonts/"
        if ! grep -q 'IPAPGothic' "$building/user.reg"; then
            scribbit_log "the font settings did not reach the registry"
            exit 1
        fi
        rm -f "$reg"
        touch "$building/.scribbit-ready"
        # Older prepared prefixes are stale now.
        find "$SCRIBBIT_CACHE_DIR" -maxdepth 1 -name 'prefix-*' -type d \
            ! -name "prefix-$stamp" -exec rm -rf {} +
        mv "$building" "$SCRIBBIT_PREPARED_PREFIX"
    ) 8>"$SCRIBBIT_CACHE_DIR/prefix.lock"
}

# Removes run folders left behind by runs that were killed.
scribbit_reap_stale_runs() {
    local dir pid
    for dir in "$SCRIBBIT_CACHE_DIR"/runs/run-*; do
        [[ -d $dir ]] || continue
        pid=${dir##*/run-}
        pid=${pid%%-*}
        if ! kill -0 "$pid" 2>/dev/null; then
            rm -rf "$dir"
        fi
    done
}

# Prepares everything. Options: --xvfb forces a private Xvfb even when
# $DISPLAY is set (the tests never use the user's screen).
scribbit_wine_start() {
    local force_xvfb=0
    [[ ${1:-} == --xvfb ]] && force_xvfb=1
    scribbit_wine_common_env
    scribbit_ensure_locale
    mkdir -p "$SCRIBBIT_CACHE_DIR/runs"
    scribbit_reap_stale_runs
    SCRIBBIT_RUN_DIR=$(mktemp -d "$SCRIBBIT_CACHE_DIR/runs/run-$$-XXXXXX")
    SCRIBBIT_XVFB_PID=
    trap scribbit_wine_stop EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    if ((force_xvfb)) || [[ -z ${DISPLAY:-} ]]; then
        scribbit_start_xvfb
    fi
    scribbit_ensure_prepared_prefix
    # The per-run prefix: hard links for the 1.3 GB of unchanging files, real
    # copies of everything Wine rewrites in place.
    export WINEPREFIX=$SCRIBBIT_RUN_DIR/prefix
    cp -al "$SCRIBBIT_PREPARED_PREFIX" "$WINEPREFIX"
    local file
    for file in "$WINEPREFIX"/*.reg "$WINEPREFIX"/drive_c/windows/*.ini; do
        [[ -f $file ]] || continue
        cp --remove-destination "$SCRIBBIT_PREPARED_PREFIX/${file#"$WINEPREFIX"/}" "$file"
    done
    # Keep one wineserver for the whole run: later starts are much faster.
    "$SCRIBBIT_WINESERVER" -p >/dev/null 2>&1 || true
}

scribbit_wine_stop() {
    local status=$?
    trap - EXIT INT TERM
    if [[ -n ${WINEPREFIX:-} && -d ${WINEPREFIX:-} ]]; then
        "$SCRIBBIT_WINESERVER" -k >/dev/null 2>&1 || true
        "$SCRIBBIT_WINESERVER" -w >/dev/null 2>&1 || true
    fi
    if [[ -n ${SCRIBBIT_XVFB_PID:-} ]]; then
        kill "$SCRIBBIT_XVFB_PID" 2>/dev/null || true
        wait "$SCRIBBIT_XVFB_PID" 2>/dev/null || true
    fi
    if [[ -n ${SCRIBBIT_RUN_DIR:-} && -d $SCRIBBIT_RUN_DIR ]]; then
        rm -rf "$SCRIBBIT_RUN_DIR"
    fi
    exit "$status"
}

# A PNG of the whole display (the virtual desktop), for people to look at.
scribbit_screenshot() {
    import -display "$DISPLAY" -window root "$1" 2>/dev/null
}

# A Windows path for a Linux path (for arguments handed to the program).
scribbit_winepath() {
    scribbit_wine winepath -w "$1" 2>/dev/null | tr -d '\r'
}
