# Page ranges typed into the export dialog: which pages get files, which ranges are refused
# with "Invalid page range!" while the dialog stays open, name and absolute modes, spreads,
# and an empty range that writes nothing but still remembers the style.
. "$(dirname "$0")/lib.sh"

settings \
    '{"name": "Spreads PDF", "type": "PDF", "data": {"XPDF": {"PageOptions": {"Spreads": "1"}}, "AYWB": {"FWiz": {}}}}' \
    '{"name": "Spreads EPS", "type": "EPS", "data": {"XPXT": {"EPS": {"General": {"Spread": "1"}}}, "AYWB": {"FWiz": {}}}}'
layout "$T/Catalog.lyt" 12
layout "$T/Front.lyt" 6 '"sections": [{"firstPage": 1, "start": 1, "prefix": "", "style": "roman"}, {"firstPage": 4, "start": 1, "prefix": "", "style": "arabic"}]'
layout "$T/Spreads.lyt" 5 '"spreads": [[1], [2, 3], [4, 5]]'
prefs

# Accepted ranges of absolute page numbers on 12 pages: folder, range, expected files.
accepted='
list|1-3,7,9-99|Catalog_001.pdf Catalog_002.pdf Catalog_003.pdf Catalog_007.pdf Catalog_009.pdf Catalog_010.pdf Catalog_011.pdf Catalog_012.pdf
trailing|1-3,|Catalog_001.pdf Catalog_002.pdf Catalog_003.pdf
pastend|12-20|Catalog_012.pdf
'
# A range longer than 255 characters is read whole, not cut or dropped.
accepted="$accepted
long|$(printf '1,2,%.0s' $(seq 70))12|Catalog_001.pdf Catalog_002.pdf Catalog_012.pdf
"

# refused RANGE: the lines that type RANGE, press Save and meet the refusal.
refused() {
    echo "set $IDC_EXPORT_RANGE $(q "$1")"
    echo "ok"
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "Invalid page range!"'
    echo "answer ok"
    echo 'wait-dialog "Save As"'
    echo "expect-text $IDC_EXPORT_RANGE $(q "$1")"
}

{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    echo "$accepted" | while IFS='|' read -r dir range expected; do
        [ -n "$dir" ] || continue
        mkdir -p "$T/out/$dir"
        export_pages "$T/out/$dir/Catalog" "Default PDF" "$range" "check $IDC_EXPORT_ABSOLUTE on"
    done

    # Each refusal keeps the dialog open; the last, valid range is the one exported.
    mkdir -p "$T/out/refused"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "file-name $(q "$(winpath "$T/out/refused/Catalog")")"
    echo "choose $IDC_EXPORT_STYLE \"Default PDF\""
    echo "check $IDC_EXPORT_ABSOLUTE on"
    for range in ",1" "0" "13" "5-3" "3-" "-3"; do refused "$range"; done
    echo "set $IDC_EXPORT_RANGE \"2\""
    echo "ok"
    echo "close"

    # Page names: i, ii, iii, then 1, 2, 3.
    echo "open $(q "$(winpath "$T/Front.lyt")")"
    mkdir -p "$T/out/names"
    export_pages "$T/out/names/Front" "Default PDF" "ii-iii"
    mkdir -p "$T/out/absnames"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "file-name $(q "$(winpath "$T/out/absnames/Front")")"
    echo "choose $IDC_EXPORT_STYLE \"Default PDF\""
    echo "check $IDC_EXPORT_ABSOLUTE on"
    refused "ii-iii"
    echo "set $IDC_EXPORT_RANGE \"4\""
    echo "ok"
    echo "close"

    # Spreads (1), (2, 3), (4, 5).
    echo "open $(q "$(winpath "$T/Spreads.lyt")")"
    mkdir -p "$T/out/spread3" "$T/out/spread34" "$T/out/spreadeps"
    export_pages "$T/out/spread3/Spreads" "Spreads PDF" "3"
    export_pages "$T/out/spread34/Spreads" "Spreads PDF" "3-4"
    export_pages "$T/out/spreadeps/Spreads" "Spreads EPS" "2"

    # Nothing selected: no file, no progress, yet the style is remembered.
    mkdir -p "$T/out/empty"
    export_pages "$T/out/empty/Spreads" "Spreads EPS" ""
    echo "quit"
} >"$T/ranges.script"
run_host "$T/ranges.script"

while IFS='|' read -r dir range expected; do
    [ -n "$dir" ] || continue
    check "files of range $range" "$expected" "$(files "$T/out/$dir")"
done <<EOF
$accepted
EOF
check "after refusals, the valid range 2" "Catalog_002.pdf" "$(files "$T/out/refused")"
check "name range ii-iii" "Front_ii.pdf Front_iii.pdf" "$(files "$T/out/names")"
check "absolute 4 after a refused name range" "Front_004.pdf" "$(files "$T/out/absnames")"

check "spread chosen by its second page" "Spreads_002.pdf" "$(files "$T/out/spread3")"
check "...covers both pages" "1224 x 792" "$(pdf_size "$T/out/spread3/Spreads_002.pdf")"
check "...in one page" "1" "$(pdf_pages "$T/out/spread3/Spreads_002.pdf")"
check "pages 3-4 in spreads" "Spreads_002.pdf Spreads_004.pdf" "$(files "$T/out/spread34")"
check "EPS spread" "Spreads_002.eps" "$(files "$T/out/spreadeps")"
check "EPS spread bounding box" "0 0 1224 792" "$(eps_bbox "$T/out/spreadeps/Spreads_002.eps")"

check "empty range writes nothing" "" "$(files "$T/out/empty")"
check "empty range still stores the style" "Spreads EPS" "$(pref OutputStyle)"

# Page names that hold the range's own "-" and ",": pages 1, 2, 1-2, 1,2, i, ii, i-ii, A-1. A
# text that names pages in two ways is refused, showing what was typed and how to write each
# reading; one that reads one way is taken; absolute numbers pick either reading. The dialog
# proposes a shown page whose name reads two ways by its number.
sections='{"firstPage": 1, "start": 1, "prefix": "", "style": "arabic"},
 {"firstPage": 3, "start": 2, "prefix": "1-", "style": "arabic"},
 {"firstPage": 4, "start": 2, "prefix": "1,", "style": "arabic"},
 {"firstPage": 5, "start": 1, "prefix": "", "style": "roman"},
 {"firstPage": 7, "start": 2, "prefix": "i-", "style": "roman"},
 {"firstPage": 8, "start": 1, "prefix": "A-", "style": "arabic"}'
layout "$T/Dashes.lyt" 8 "\"sections\": [$sections]"
cr=$(printf '\r')
twoways="This page range can be read in two ways:"
mkdir -p "$T/out/twoways" "$T/out/oneway"
{
    echo "open $(q "$(winpath "$T/Dashes.lyt")")"
    # Shown page "1-2" is proposed by its absolute number, the name reading two ways.
    echo "page 3"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "expect-checked $IDC_EXPORT_ABSOLUTE on"
    echo "expect-text $IDC_EXPORT_RANGE \"3\""
    echo "cancel"
    echo "page 1"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "file-name $(q "$(winpath "$T/out/twoways/Dashes")")"
    echo "choose $IDC_EXPORT_STYLE \"Default PDF\""
    for range in "2,1-2" "1,2" "i-ii"; do
        echo "set $IDC_EXPORT_RANGE $(q "$range")"
        echo "ok"
        echo 'wait-dialog "Kestrix"'
        if [ "$range" = "2,1-2" ]; then
            echo "expect-message $(q "$twoways$cr$cr\"1-2\" means \"1-2\" or \"1\"–\"2\". Tick \"Absolute page numbers\" and type 2,3 for the first or 2,1-2 for the second.")"
        else
            echo "expect-message $(q "$twoways")"
        fi
        echo "answer ok"
        echo 'wait-dialog "Save As"'
        echo "expect-text $IDC_EXPORT_RANGE $(q "$range")"
    done
    # The first reading, written as the message says.
    echo "check $IDC_EXPORT_ABSOLUTE on"
    echo "set $IDC_EXPORT_RANGE \"2,3\""
    echo "ok"
    export_pages "$T/out/oneway/Dashes" "Default PDF" "A-1,1-2-1-2,2-1,2"
    echo "quit"
} >"$T/dashes.script"
run_host "$T/dashes.script"
check "ambiguous ranges refused, then absolute 2,3" "Dashes_002.pdf Dashes_003.pdf" \
    "$(files "$T/out/twoways")"
check "ranges that read one way" "Dashes_002.pdf Dashes_1,2.pdf Dashes_1-2.pdf Dashes_A-1.pdf" \
    "$(files "$T/out/oneway")"

finish
