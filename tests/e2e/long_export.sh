# A long export and the script runner: the runner waits for as long as the progress dialog
# gets on with the pages, however much longer than its limit that is, while a question inside
# the export that no script line answers still fails with the dialog named. The limit is cut
# to 2 seconds so that an export of 40 pages outlasts it many times over.
. "$(dirname "$0")/lib.sh"

settings
layout "$T/Long.lyt" 40
mkdir -p "$T/out/long" "$T/out/stuck"
limit=2

prefs "OverwriteWarning=1"
{
    echo "open $(q "$(winpath "$T/Long.lyt")")"
    export_pages "$T/out/long/Long" "Default PDF" "1-40"
    echo "quit"
} >"$T/long.script"
started=$(date +%s)
run_host "$T/long.script" --dialog-timeout "$limit"
took=$(($(date +%s) - started))
check "every page of the long export" 40 "$(ls "$T/out/long" | wc -l | tr -d ' ')"
check "the last page is a PDF" "PDF" "$(is_pdf "$T/out/long/Long_040.pdf")"
# Shorter than three limits, and the case proves nothing about waiting.
check "the export outlasted the limit" yes \
    "$([ "$took" -gt $((3 * limit)) ] && echo yes || echo "no, it took $took seconds")"

# The overwrite question of page 2 comes up over the progress dialog and nobody answers it.
echo "old file" >"$T/out/stuck/Long_002.pdf"
{
    echo "open $(q "$(winpath "$T/Long.lyt")")"
    export_pages "$T/out/stuck/Long" "Default PDF" "1-3"
    echo "quit"
} >"$T/stuck.script"
try_host "$T/stuck.script" --dialog-timeout "$limit"
check "unanswered question: status" 2 "$status"
check "unanswered question: report" \
    "script: line 2: the command did not finish: dialog \"Kestrix\" waited $limit seconds with no script line to drive it" \
    "$(grep '^script:' "$T/host.txt" || true)"
check "unanswered question: the pages before it" "Long_001.pdf Long_002.pdf" "$(files "$T/out/stuck")"
check "unanswered question: the file asked about is untouched" "old file" \
    "$(cat "$T/out/stuck/Long_002.pdf")"

finish
