# A long export and the script runner: the runner waits for as long as the progress dialog
# gets on with the pages, however much longer than its limit that is, while a question inside
# the export that no script line answers still fails with the dialog named. The export is long
# by construction, whatever the machine's speed: the distiller is a wrapper that sleeps a fixed
# time before each page, so that 30 pages outlast the limit several times over.
. "$(dirname "$0")/lib.sh"

settings
layout "$T/Long.lyt" 30
mkdir -p "$T/out/long" "$T/out/stuck"
limit=2.5
gs_path=$(command -v gs) || { echo "$e2e_name: skipped, Ghostscript (gs) is not installed"; exit 0; }
printf '#!/bin/sh\necho page >>"%s"\nsleep 0.3\nexec "%s" "$@"\n' "$T/slow-gs.log" "$gs_path" \
    >"$T/slow-gs"
chmod +x "$T/slow-gs"

prefs "OverwriteWarning=1"
{
    echo "open $(q "$(winpath "$T/Long.lyt")")"
    export_pages "$T/out/long/Long" "Default PDF" "1-30"
    echo "quit"
} >"$T/long.script"
run_host "$T/long.script" --distiller "$T/slow-gs" --dialog-timeout "$limit"
check "every page of the long export" 30 "$(ls "$T/out/long" | wc -l | tr -d ' ')"
check "the last page is a PDF" "PDF" "$(is_pdf "$T/out/long/Long_030.pdf")"
# Every page went through the slow distiller: the export lasted at least 30 x 0.3 seconds.
check "the slow distiller ran for every page" 30 "$(wc -l <"$T/slow-gs.log" | tr -d ' ')"

# The overwrite question of page 2 comes up over the progress dialog and nobody answers it.
echo "old file" >"$T/out/stuck/Long_002.pdf"
{
    echo "open $(q "$(winpath "$T/Long.lyt")")"
    export_pages "$T/out/stuck/Long" "Default PDF" "1-3"
    echo "quit"
} >"$T/stuck.script"
try_host "$T/stuck.script" --distiller "$T/slow-gs" --dialog-timeout "$limit"
check "unanswered question: status" 2 "$status"
check "unanswered question: report" \
    "script: line 2: the command did not finish: dialog \"Kestrix\" waited $limit seconds with no script line to drive it" \
    "$(grep '^script:' "$T/host.txt" || true)"
check "unanswered question: the pages before it" "Long_001.pdf Long_002.pdf" "$(files "$T/out/stuck")"
check "unanswered question: the file asked about is untouched" "old file" \
    "$(cat "$T/out/stuck/Long_002.pdf")"

finish
