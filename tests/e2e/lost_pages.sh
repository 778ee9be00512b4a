# No page is lost without a word: a page the host cannot write stops the run with a message
# and keeps the pages before it; names that repeat within one run, page names that are no file
# names and a style whose stored naming does not fit are refused in the dialog, which stays
# open; "all" selects every page even where numbering starts again; a renamed style stays
# chosen; a style name too long to list is reported.
. "$(dirname "$0")/lib.sh"

long_suffix="_abcdefghijklmnopqrstuvwxyz0123.pdf" # 35 bytes
settings \
    '{"name": "No Number", "type": "PDF", "data": {"AYWB": {"FWiz": {"Numbers": "4"}}}}' \
    "{\"name\": \"Long Suffix\", \"type\": \"PDF\", \"data\": {\"AYWB\": {\"FWiz\": {\"Suffix\": \"$long_suffix\"}}}}" \
    '{"name": "Renamable", "type": "PDF", "data": {"AYWB": {"FWiz": {}}}}'

layout "$T/Catalog.lyt" 12
layout "$T/Restart.lyt" 6 '"sections": [{"firstPage": 1, "start": 1, "prefix": "", "style": "arabic"}, {"firstPage": 4, "start": 1, "prefix": "", "style": "arabic"}]'
layout "$T/Prefixed.lyt" 3 '"sections": [{"firstPage": 1, "start": 1, "prefix": "A-", "style": "arabic"}]'
layout "$T/Escape.lyt" 3 '"sections": [{"firstPage": 1, "start": 1, "prefix": "../", "style": "arabic"}]'
mkdir -p "$T/out/blocked" "$T/out/wrap" "$T/out/none" "$T/out/escape/inner" "$T/out/suffix" \
    "$T/out/restart" "$T/out/prefixed" "$T/out/renamed"
# A folder stands where the third file would go.
mkdir "$T/out/blocked/Catalog_003.pdf"

# refused FOLDER STYLE RANGE MESSAGE [LINES...]: the dialog refuses with MESSAGE and stays
# open; it is then cancelled.
refused() {
    dir=$1 style=$2 range=$3 message=$4
    shift 4
    export_pages "$T/out/$dir/Catalog" "$style" "$range" "$@"
    echo 'wait-dialog "Kestrix"'
    echo "expect-message $(q "$message")"
    echo "answer ok"
    echo "expect-text $IDC_EXPORT_RANGE $(q "$range")"
    echo "cancel"
}

repeated="Several pages of this export would get the same file name, and all but the last would be lost. Choose other pages, another offset or a style that numbers the files:"
prefs
{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    export_pages "$T/out/blocked/Catalog" "Default PDF" "1-5"
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "The page could not be exported:"'
    echo "answer ok"
    # An offset that wraps the page number, and no numbers at all, name every page alike.
    refused wrap "Default PDF" "1-2" "$repeated" "check $IDC_EXPORT_ABSOLUTE on" \
        "set $IDC_EXPORT_OFFSET 40000"
    refused none "No Number" "1-3" "$repeated"
    refused suffix "Long Suffix" "1" "The file naming of this output style cannot be used: its separator or suffix is longer than 31 bytes or holds a character that file names cannot hold."
    echo "close"
    # Numbering that starts again: "all" must still select all six pages.
    echo "open $(q "$(winpath "$T/Restart.lyt")")"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "file-name $(q "$(winpath "$T/out/restart/Catalog")")"
    echo "choose $IDC_EXPORT_STYLE \"Default PDF\""
    echo "click $IDC_EXPORT_ALL"
    echo "expect-checked $IDC_EXPORT_ABSOLUTE on"
    echo "expect-text $IDC_EXPORT_RANGE \"1-6\""
    echo "ok"
    echo "close"
    # Page names holding "-": the proposed page and "all" are ranges the dialog accepts.
    echo "open $(q "$(winpath "$T/Prefixed.lyt")")"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "expect-text $IDC_EXPORT_RANGE \"A-1\""
    echo "file-name $(q "$(winpath "$T/out/prefixed/Catalog")")"
    echo "choose $IDC_EXPORT_STYLE \"Default PDF\""
    echo "click $IDC_EXPORT_ALL"
    echo "expect-text $IDC_EXPORT_RANGE \"A-1-A-3\""
    echo "ok"
    # Edit… renames the chosen style: the list follows and the run uses the new name.
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "file-name $(q "$(winpath "$T/out/renamed/Catalog")")"
    echo "choose $IDC_EXPORT_STYLE \"Renamable\""
    echo "click $IDC_EXPORT_EDIT_STYLE"
    echo 'wait-dialog "Edit Output Style"'
    echo "set $kStyleNameId \"Renamed PDF\""
    echo "ok"
    echo 'wait-dialog "Save As"'
    echo "expect-text $IDC_EXPORT_STYLE \"Renamed PDF\""
    echo "set $IDC_EXPORT_RANGE \"A-2\""
    echo "ok"
    echo "close"
    # A page name that would climb out of the chosen folder.
    echo "open $(q "$(winpath "$T/Escape.lyt")")"
    refused escape/inner "Default PDF" "../2" \
        "This page name cannot be part of a file name (it holds \\, /, .. or a character that file names cannot hold):"
    echo "quit"
} >"$T/lost.script"
run_host "$T/lost.script"

check "a failed page stops the run, pages before it stay" \
    "Catalog_001.pdf Catalog_002.pdf Catalog_003.pdf" "$(files "$T/out/blocked")"
check "...and they are PDFs" "PDF PDF" \
    "$(is_pdf "$T/out/blocked/Catalog_001.pdf") $(is_pdf "$T/out/blocked/Catalog_002.pdf")"
check "wrapping offset writes nothing" "" "$(files "$T/out/wrap")"
check "no numbers writes nothing" "" "$(files "$T/out/none")"
check "a cut suffix names no file" "" "$(files "$T/out/suffix")"
check "nothing written beside or above the chosen folder" "inner" "$(files "$T/out/escape")"
check "nothing written in the chosen folder" "" "$(files "$T/out/escape/inner")"
check "renamed style: the file has its extension" "Catalog_A-2.pdf" "$(files "$T/out/renamed")"
check "renamed style: remembered by its new name" "Renamed PDF" "$(pref OutputStyle)"
check "restarting numbers: every page" \
    "Catalog_001.pdf Catalog_002.pdf Catalog_003.pdf Catalog_004.pdf Catalog_005.pdf Catalog_006.pdf" \
    "$(files "$T/out/restart")"
check "prefixed names: every page" "Catalog_A-1.pdf Catalog_A-2.pdf Catalog_A-3.pdf" \
    "$(files "$T/out/prefixed")"

# A style whose name is too long to be listed is reported once when the dialog opens.
settings "{\"name\": \"$(printf '%0300d' 0 | tr 0 L)\", \"type\": \"PDF\"}"
{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "Output styles whose name has 256 bytes or more cannot be chosen and are not listed:"'
    echo "answer ok"
    echo 'wait-dialog "Save As"'
    echo "cancel"
    echo "quit"
} >"$T/longname.script"
run_host "$T/longname.script"

finish
