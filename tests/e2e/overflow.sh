# The text overflow check in page mode: a box that overflows on the last of 2002 spreads is
# found; No selects and shows it and ends the run, Yes goes on. With AbortOnOverflow the run
# ends at once with one message, and the user's own print is stopped with nothing written.
# The job slug is stamped before the check: a stamp that does not fit its box stops a page
# export, an area export and the user's print alike with AbortOnOverflow, and is asked about
# once in an export without it.
. "$(dirname "$0")/lib.sh"

settings
layout "$T/Long.lyt" 2002 '"items": [
 {"name": "Fits", "type": "text", "page": 1, "bounds": [72, 36, 122, 300], "text": "Fits."},
 {"name": "Late", "type": "text", "page": 2002, "bounds": [72, 36, 92, 100], "text": "Far too many words for this small box to hold on its one short line."}]'

prefs "AbortOnOverflow=0"
{
    echo "open $(q "$(winpath "$T/Long.lyt")")"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "Text overflow! Continue anyway?"'
    echo 'answer no'
    echo 'expect-selected Late'
    echo 'select none'
    echo 'page 1'
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Kestrix"'
    echo 'answer yes'
    echo 'wait-dialog "Save As"'
    echo "file-name $(q "$(winpath "$T/out/Long")")"
    echo "choose $IDC_EXPORT_STYLE \"Default PDF\""
    echo "set $IDC_EXPORT_RANGE \"1\""
    echo 'ok'
    echo 'quit'
} >"$T/ask.script"
run_host "$T/ask.script"
check "No wrote nothing, Yes wrote the page" "Long_001.pdf" "$(files "$T/out")"

rm -f "$T/out"/*
prefs "AbortOnOverflow=1"
{
    echo "open $(q "$(winpath "$T/Long.lyt")")"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "Text overflow! Printing will be aborted!"'
    echo 'answer ok'
    echo 'expect-selected Late'
    echo "print \"Default PDF\" $(q "$(winpath "$T/out/Print.pdf")") 1"
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "Text overflow! Printing will be aborted!"'
    echo 'answer ok'
    echo 'quit'
} >"$T/abort.script"
try_host "$T/abort.script"
# The host reports the stopped print as the script's failure, after the message was answered.
check "the print is stopped by the overflow" "2 yes" \
    "$status $(grep -q 'line 7: output failed (1)' "$T/host.txt" && echo yes || echo no)"
check "nothing is written" "" "$(files "$T/out")"

# An empty "JobSlug" box one short line tall: the stamp cannot fit it. Frame touches it.
for l in A B C D E; do
    layout "$T/Slug$l.lyt" 1 '"items": [
 {"name": "JobSlug", "type": "text", "page": 1, "bounds": [72, 36, 90, 86], "text": ""},
 {"name": "Frame", "type": "box", "page": 1, "bounds": [60, 30, 100, 100]}]'
done
rm -f "$T/out"/*
prefs "JobSlug=1" "AbortOnOverflow=1"
{
    echo "open $(q "$(winpath "$T/SlugA.lyt")")"
    export_pages "$T/out/SlugA" "Default PDF" "1"
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "Text overflow! Printing will be aborted!"'
    echo 'answer ok'
    echo "open $(q "$(winpath "$T/SlugB.lyt")")"
    echo 'select Frame'
    echo 'menu "Export page area…"'
    echo 'wait-dialog "Save As"'
    echo "file-name $(q "$(winpath "$T/out/SlugB")")"
    echo "choose $IDC_EXPORT_STYLE \"Default PDF\""
    echo 'ok'
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "Text overflow! Printing will be aborted!"'
    echo 'answer ok'
    echo "open $(q "$(winpath "$T/SlugC.lyt")")"
    echo "print \"Default PDF\" $(q "$(winpath "$T/out/Print.pdf")") 1"
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "Text overflow! Printing will be aborted!"'
    echo 'answer ok'
    echo 'quit'
} >"$T/slug.script"
try_host "$T/slug.script"
check "the slug stops page export, area export and print" "2 yes" \
    "$status $(grep -q 'line [0-9]*: output failed (1)' "$T/host.txt" && echo yes || echo no)"
check "...and nothing is written" "" "$(files "$T/out")"

prefs "JobSlug=1" "AbortOnOverflow=0"
{
    echo "open $(q "$(winpath "$T/SlugD.lyt")")"
    export_pages "$T/out/SlugD" "Default PDF" "1"
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "Text overflow! Continue anyway?"'
    echo 'answer yes'
    echo "open $(q "$(winpath "$T/SlugE.lyt")")"
    export_pages "$T/out/SlugE" "Default PDF" "1"
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "Text overflow! Continue anyway?"'
    echo 'answer no'
    echo 'quit'
} >"$T/ask-slug.script"
run_host "$T/ask-slug.script"
check "without AbortOnOverflow the slug is asked about: Yes writes, No does not" "SlugD_001.pdf" \
    "$(files "$T/out")"

finish
