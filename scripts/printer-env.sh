# The PDF printer shared by run-editor.sh, run-tests.sh and the benchmarks.
# Source it and call scribbit_printer_start before Wine starts: Wine asks
# CUPS for its printers when a program starts, and a program started while
# no scheduler was running sees no printer at all.
#
# It starts the CUPS scheduler when it is not running (as root, without
# systemd: cupsd daemonises itself), adds the CUPS-PDF queue when it is
# missing and makes it the default destination. Printed pages then land as
# PDF files in ~/PDF of the user who printed. When everything is in place
# already it only asks lpstat, which takes a few milliseconds.

SCRIBBIT_PDF_QUEUE=${SCRIBBIT_PDF_QUEUE:-CUPS-PDF}
SCRIBBIT_PDF_PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

scribbit_printer_log() { echo "printer-env: $*" >&2; }
# lpstat speaks the user's language; its answers are read in English.
scribbit_lpstat() { LC_ALL=C LANG=C LANGUAGE= lpstat "$@"; }

scribbit_printer_start() {
    local as_root=()
    if [[ $(id -u) -ne 0 ]]; then
        if ! command -v sudo >/dev/null 2>&1; then
            scribbit_lpstat -d 2>/dev/null | grep -q ": $SCRIBBIT_PDF_QUEUE\$" && return 0
            scribbit_printer_log "the PDF printer needs root (or sudo) to be set up"
            return 1
        fi
        as_root=(sudo -n)
    fi
    if ! command -v cupsd >/dev/null 2>&1 || [[ ! -f $SCRIBBIT_PDF_PPD ]]; then
        scribbit_printer_log "cups or printer-driver-cups-pdf is not installed (scripts/setup-deps.sh installs them)"
        return 1
    fi
    if ! scribbit_lpstat -r 2>/dev/null | grep -q 'is running'; then
        "${as_root[@]}" cupsd </dev/null || {
            scribbit_printer_log "cupsd did not start"
            return 1
        }
        local i
        for ((i = 0; i < 100; i++)); do
            scribbit_lpstat -r 2>/dev/null | grep -q 'is running' && break
            sleep 0.05
        done
        if ! scribbit_lpstat -r 2>/dev/null | grep -q 'is running'; then
            scribbit_printer_log "the CUPS scheduler does not answer"
            return 1
        fi
    fi
    if ! scribbit_lpstat -p "$SCRIBBIT_PDF_QUEUE" >/dev/null 2>&1; then
        # lpadmin warns that printer drivers are deprecated; the queue works.
        "${as_root[@]}" lpadmin -p "$SCRIBBIT_PDF_QUEUE" -v cups-pdf:/ -E -P "$SCRIBBIT_PDF_PPD" \
            </dev/null 2>/dev/null || {
            scribbit_printer_log "could not add the $SCRIBBIT_PDF_QUEUE queue"
            return 1
        }
    fi
    if ! scribbit_lpstat -d 2>/dev/null | grep -q ": $SCRIBBIT_PDF_QUEUE\$"; then
        "${as_root[@]}" lpadmin -d "$SCRIBBIT_PDF_QUEUE" </dev/null || return 1
    fi
    mkdir -p "$HOME/PDF"
}
