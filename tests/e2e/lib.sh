# Helpers of the end-to-end tests: the reference host runs a script under Wine with the built
# plug-in, then the files it wrote are checked natively with pdfinfo, Ghostscript and grep.
# Sourced by every tests/e2e/*.sh; they are run as `sh TEST.sh BUILD_DIR`.

set -u
e2e_build=$(cd "${1:?build folder}" && pwd)
e2e_root=$(cd "$(dirname "$0")/../.." && pwd)
e2e_failures=0
e2e_checks=0
e2e_name=$(basename "$0" .sh)

KX_WINE_DIR=$e2e_build
export KX_WINE_DIR
. "$e2e_root/tools/wine-env"
kx_root=$e2e_root
. "$e2e_root/tools/lib.sh"
# Control ids by name for the script lines that drive dialogs: the plug-in's ($IDC_EXPORT_RANGE,
# ...) from the header its resource scripts and its code share, the host's style editor and
# print dialog ($kStyleNameId, ...) from the host's headers.
eval "$(kx_ids "$e2e_root/src/resources/dialog_ids.h" "$e2e_root/refhost/app/style_editor.h" \
    "$e2e_root/refhost/app/print_dialog.h")"
if [ -z "${IDC_EXPORT_RANGE:-}" ] || [ -z "${kStyleNameId:-}" ]; then
    echo "$e2e_name: no control ids in src/resources/dialog_ids.h or refhost/app/style_editor.h"
    exit 1
fi
# The system's own: the Cancel button (of the plug-in's dialogs too) and the Save As dialog's
# file name field (cmb13).
IDCANCEL=2
IDC_SAVE_AS_FILE_NAME=1148

e2e_host="$e2e_build/refhost/layouthost.exe"
e2e_plugin="$e2e_build/src/host/Kestrix.dll"
for f in "$e2e_host" "$e2e_plugin"; do
    [ -f "$f" ] || { echo "$e2e_name: missing $f (build layouthost and Kestrix first)"; exit 1; }
done

# Each test works in a folder of its own; the plug-in is loaded from a copy beside it.
T=$(mktemp -d "${TMPDIR:-/tmp}/kx-e2e-$e2e_name.XXXXXX")
mkdir -p "$T/plugins" "$T/out"
cp "$e2e_plugin" "$T/plugins/"
trap 'rm -rf "$T"' EXIT

# The plug-in keeps its preferences in the prefix's local application data.
e2e_user_dir=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Local 2>/dev/null | grep -v /Public/ |
    head -n 1)
[ -n "$e2e_user_dir" ] || { echo "$e2e_name: no Wine prefix in $WINEPREFIX (tools/test-env start)"; exit 1; }
e2e_prefs="$e2e_user_dir/Quendrel/Kestrix.ini"
# Other tests share the prefix: the preferences are put back as they were when the test ends.
if [ -f "$e2e_prefs" ]; then
    cp "$e2e_prefs" "$T/prefs.before"
    trap 'cp "$T/prefs.before" "$e2e_prefs"; rm -rf "$T"' EXIT
else
    trap 'rm -f "$e2e_prefs"; rm -rf "$T"' EXIT
fi

# prefs KEY=VALUE...: a fresh preferences file holding only these keys of "General".
prefs() {
    mkdir -p "$(dirname "$e2e_prefs")"
    {
        printf '[General]\r\n'
        for kv in "$@"; do printf '%s\r\n' "$kv"; done
    } >"$e2e_prefs"
}

# pref KEY: the value of a key of the preferences file, empty when missing.
pref() {
    [ -f "$e2e_prefs" ] || return 0
    tr -d '\r' <"$e2e_prefs" | sed -n "s/^$1=//p" | head -n 1
}

# settings FILE: the host's output styles. Every style that a test uses is written here, so
# that the file-naming data of each is known. Arguments are JSON objects of extra styles.
settings() {
    {
        printf '{"format": "layouthost-settings/1", "outputStyles": [\n'
        printf '{"name": "Default EPS", "type": "EPS", "default": true, "data": {"AYWB": {"FWiz": {}}}},\n'
        printf '{"name": "Default PDF", "type": "PDF", "default": true, "data": {"AYWB": {"FWiz": {}}}}'
        for s in "$@"; do printf ',\n%s' "$s"; done
        printf '\n]}\n'
    } >"$T/settings.json"
}

# layout FILE PAGES [EXTRA-JSON]: a one-layout US Letter project named after FILE.
layout() {
    printf '{"format": "layouthost-project/1", "layouts": [{"name": "Layout 1", "pageWidth": 612, "pageHeight": 792, "pageCount": %d%s}]}\n' \
        "$2" "${3:+, $3}" >"$1"
}

# try_host SCRIPT-FILE [HOST-ARGS...]: runs the script; its output goes to $T/host.out (and,
# without CRs, $T/host.txt), its exit status to $status.
try_host() {
    script=$1
    shift
    status=0
    timeout 180 "$e2e_root/tools/wine-run" "$e2e_host" --plugins "$(winpath "$T/plugins")" \
        --settings "$(winpath "$T/settings.json")" "$@" --script "$(winpath "$script")" \
        >"$T/host.out" 2>&1 </dev/null || status=$?
    tr -d '\r' <"$T/host.out" >"$T/host.txt"
}

# run_host SCRIPT-FILE [HOST-ARGS...]: try_host, where a host that fails or hangs is a failed
# check and ends the test.
run_host() {
    try_host "$@"
    if [ "$status" -ne 0 ]; then
        echo "FAIL: host script $(basename "$script") exited with $status (expected 0); its output:"
        sed 's/^/    /' "$T/host.txt"
        e2e_failures=$((e2e_failures + 1))
        finish
    fi
}

# check DESCRIPTION EXPECTED ACTUAL
check() {
    e2e_checks=$((e2e_checks + 1))
    if [ "$2" != "$3" ]; then
        printf 'FAIL: %s\n    expected: %s\n    actual:   %s\n' "$1" "$2" "$3"
        e2e_failures=$((e2e_failures + 1))
    fi
}

# files DIR: the names in DIR, sorted, on one line.
files() {
    (cd "$1" && ls -1 | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
}

# pdf_box FILE BOX: "left bottom right top" of a box as pdfinfo reports it (page 1).
pdf_box() {
    pdfinfo -box "$1" 2>/dev/null | sed -n "s/^$2: *//p" | tr -s ' ' | sed 's/ $//'
}
pdf_pages() {
    pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages: *//p'
}
# pdf_size FILE: "W x H" in points.
pdf_size() {
    pdfinfo "$1" 2>/dev/null | sed -n 's/^Page size: *\([0-9.]*\) x \([0-9.]*\) pts.*/\1 x \2/p'
}
eps_bbox() {
    tr -d '\r' <"$1" | sed -n 's/^%%BoundingBox: *//p' | head -n 1
}
# is_pdf FILE: "PDF" when the file begins like one.
is_pdf() {
    head -c 5 "$1" 2>/dev/null | grep -q '^%PDF-' && echo PDF || echo "not a PDF"
}

finish() {
    if [ "$e2e_failures" -ne 0 ]; then
        echo "$e2e_name: $e2e_failures of $e2e_checks checks failed"
        exit 1
    fi
    echo "$e2e_name: $e2e_checks checks passed"
    exit 0
}

# q TEXT: TEXT as one quoted script argument.
q() {
    printf '"%s"' "$(printf '%s' "$1" | sed 's/\\/\\\\/g; s/"/\\"/g')"
}

# export_pages BASE-PATH STYLE RANGE [LINES...]: script lines that choose "Export pages…",
# type the path, choose the style and the range, then run any further dialog LINES (checks,
# boxes) and press Save. Printed to stdout for a script file.
export_pages() {
    base=$1 style=$2 range=$3
    shift 3
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "file-name $(q "$(winpath "$base")")"
    echo "choose $IDC_EXPORT_STYLE $(q "$style")"
    for line in "$@"; do echo "$line"; done
    echo "set $IDC_EXPORT_RANGE $(q "$range")"
    echo "ok"
}
