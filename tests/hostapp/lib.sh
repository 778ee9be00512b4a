# Helpers of the host application tests: layouthost.exe runs a script under Wine in a folder
# of its own; what it printed and wrote is checked natively.
# Sourced by tests/hostapp/*.sh, which are run as `sh TEST.sh LAYOUTHOST.EXE BUILD_DIR`.

set -u
ha_exe=$(cd "$(dirname "${1:?layouthost.exe}")" && pwd)/$(basename "$1")
ha_build=$(cd "${2:?build folder}" && pwd)
ha_root=$(cd "$(dirname "$0")/../.." && pwd)
ha_name=$(basename "$0" .sh)
ha_failures=0
ha_checks=0

KX_WINE_DIR=$ha_build
export KX_WINE_DIR
. "$ha_root/tools/wine-env"
kx_root=$ha_root
. "$ha_root/tools/lib.sh"
# Control ids by name for the script lines that drive dialogs: the host's style editor and print
# dialog ($kStyleNameId, ...) from the host's headers, the probe's pane ($IDC_PROBE_NOTE, ...)
# from the header its resource script and its code share.
eval "$(kx_ids "$ha_root/refhost/app/style_editor.h" "$ha_root/refhost/app/print_dialog.h" \
    "$ha_root/tests/hostapp/probe_ids.h")"
if [ -z "${kStyleNameId:-}" ] || [ -z "${IDC_PROBE_NOTE:-}" ]; then
    echo "$ha_name: no control ids in refhost/app/style_editor.h or tests/hostapp/probe_ids.h"
    exit 1
fi

T=$(mktemp -d "${TMPDIR:-/tmp}/kx-hostapp-$ha_name.XXXXXX")
mkdir -p "$T/plugins"
trap 'rm -rf "$T"' EXIT
cp "$ha_root/samples/settings.json" "$T/settings.json"

# q TEXT: TEXT as one quoted script argument.
q() {
    printf '"%s"' "$(printf '%s' "$1" | sed 's/\\/\\\\/g; s/"/\\"/g')"
}

# host SCRIPT-TEXT [HOST-ARGS...]: runs the script with the plug-ins of $T/plugins and the
# settings $T/settings.json; SCRIPT-TEXT "-" reads it from stdin. Sets $status; stdout in
# $T/out, stderr in $T/err (CR removed).
host() {
    if [ "$1" = - ]; then cat >"$T/script"; else printf '%s\n' "$1" >"$T/script"; fi
    shift
    status=0
    timeout 150 "$ha_root/tools/wine-run" "$ha_exe" --plugins "$(winpath "$T/plugins")" \
        --settings "$(winpath "$T/settings.json")" "$@" --script "$(winpath "$T/script")" \
        >"$T/out.raw" 2>"$T/err.raw" </dev/null || status=$?
    tr -d '\r' <"$T/out.raw" >"$T/out"
    tr -d '\r' <"$T/err.raw" >"$T/err"
}

# The runner's own report: the lines of stderr that begin with "script:".
script_errors() {
    grep '^script:' "$T/err" || true
}

# check DESCRIPTION EXPECTED ACTUAL
check() {
    ha_checks=$((ha_checks + 1))
    if [ "$2" != "$3" ]; then
        printf 'FAIL: %s\n    expected: %s\n    actual:   %s\n' "$1" "$2" "$3"
        ha_failures=$((ha_failures + 1))
        if [ -s "$T/err" ]; then
            echo "    host stderr:"
            sed 's/^/      /' "$T/err"
        fi
    fi
}

finish() {
    if [ "$ha_failures" -ne 0 ]; then
        echo "$ha_name: $ha_failures of $ha_checks checks failed"
        exit 1
    fi
    echo "$ha_name: $ha_checks checks passed"
    exit 0
}
