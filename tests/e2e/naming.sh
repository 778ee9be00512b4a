# Output file names: one export per file-naming variant of the output style, through the menu
# and the Save As dialog, each into a folder of its own; then the folder must hold exactly the
# expected names, and each file must be what its style says.
. "$(dirname "$0")/lib.sh"

settings \
    '{"name": "Before", "type": "PDF", "data": {"AYWB": {"FWiz": {"NumberBeforeName": "1"}}}}' \
    '{"name": "Plain", "type": "PDF", "data": {"AYWB": {"FWiz": {"Numbers": "0"}}}}' \
    '{"name": "No Number", "type": "PDF", "data": {"AYWB": {"FWiz": {"Numbers": "4"}}}}' \
    '{"name": "Same File", "type": "PDF", "data": {"AYWB": {"FWiz": {"Suffix": "---"}}}}' \
    '{"name": "Never Seen", "type": "PDF"}' \
    '{"name": "Naming EPS", "type": "EPS", "data": {"AYWB": {"FWiz": {}}}}' \
    '{"name": "Number First", "type": "PDF", "data": {"AYWB": {"FWiz": {"Sep": ".", "NumberBeforeName": "1"}}}}' \
    '{"name": "Project Suffix", "type": "PDF", "data": {"AYWB": {"FWiz": {"Sep": "", "Numbers": "4", "Suffix": ".lyt"}}}}' \
    '{"name": "By Layout", "type": "PDF", "data": {"AYWB": {"FWiz": {"Base": "1"}}}}'

layout "$T/Catalog.lyt" 12
layout "$T/Roman.lyt" 6 '"sections": [{"firstPage": 1, "start": 1, "prefix": "", "style": "roman"}]'
layout "$T/Single.lyt" 1
prefs

# Each case: folder, style, range, extra dialog lines, expected files.
cases="
default|Default PDF|5||Catalog_005.pdf
before|Before|5||005_Catalog.pdf
plain|Plain|5||Catalog_5.pdf
nonumber|No Number|5||Catalog_.pdf
same|Same File|4-6||Catalog
neverseen|Never Seen|5||Catalog5
eps|Naming EPS|5||Catalog_005.eps
offset|Default PDF|1-3|check $IDC_EXPORT_ABSOLUTE on;set $IDC_EXPORT_OFFSET -1|Catalog_.pdf Catalog_001.pdf Catalog_002.pdf
"

{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    echo "$cases" | while IFS='|' read -r dir style range extra expected; do
        [ -n "$dir" ] || continue
        mkdir -p "$T/out/$dir"
        old_ifs=$IFS
        IFS=';'
        # shellcheck disable=SC2086
        export_pages "$T/out/$dir/Catalog" "$style" "$range" $extra
        IFS=$old_ifs
    done
    echo "close"
    echo "open $(q "$(winpath "$T/Roman.lyt")")"
    mkdir -p "$T/out/roman"
    export_pages "$T/out/roman/Catalog" "Default PDF" "iv"
    echo "close"
    echo "quit"
} >"$T/naming.script"
run_host "$T/naming.script"

while IFS='|' read -r dir style range extra expected; do
    [ -n "$dir" ] || continue
    check "files of style \"$style\", range $range" "$expected" "$(files "$T/out/$dir")"
done <<EOF
$cases
EOF
check "page named iv" "Catalog_iv.pdf" "$(files "$T/out/roman")"

# The name decides nothing about the content: each file is the page it names.
check "Catalog_005.pdf is a PDF" "PDF" "$(is_pdf "$T/out/default/Catalog_005.pdf")"
check "Catalog_005.pdf has one page" "1" "$(pdf_pages "$T/out/default/Catalog_005.pdf")"
check "EPS bounding box" "0 0 612 792" "$(eps_bbox "$T/out/eps/Catalog_005.eps")"
# With the suffix "---" every page replaces the one before: the last page written remains.
check "\"---\" keeps one PDF" "PDF" "$(is_pdf "$T/out/same/Catalog")"

# A one-page layout without AddAlways gets no number; with it (the default) it does.
prefs "AddAlways=0"
mkdir -p "$T/out/single0" "$T/out/single1"
{
    echo "open $(q "$(winpath "$T/Single.lyt")")"
    export_pages "$T/out/single0/Catalog" "Default PDF" "1"
    echo "quit"
} >"$T/single0.script"
run_host "$T/single0.script"
check "one page, AddAlways 0" "Catalog.pdf" "$(files "$T/out/single0")"

prefs
{
    echo "open $(q "$(winpath "$T/Single.lyt")")"
    export_pages "$T/out/single1/Catalog" "Default PDF" "1"
    echo "quit"
} >"$T/single1.script"
run_host "$T/single1.script"
check "one page, AddAlways default" "Catalog_001.pdf" "$(files "$T/out/single1")"

# A project never saved has no folder: the dialog is offered "\" and the project's name, so
# it opens at the root of the drive with that name in its file name field (1148).
{
    echo "open-untitled $(q "$(winpath "$T/Catalog.lyt")")"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "expect-text $IDC_SAVE_AS_FILE_NAME \"Project1\""
    echo "cancel"
    echo "quit"
} >"$T/untitled.script"
run_host "$T/untitled.script"

# Names Windows takes for one file, or for a device, are refused before any page is written,
# the dialog staying open: page names alike but for the case of a letter beyond ASCII (Latin,
# Greek, Cyrillic), and a file name Windows keeps for a device, whether it comes from a page
# name, the typed name or the name of an area.
section() { # FIRST PREFIX
    printf '{"firstPage": %d, "start": 1, "prefix": "%s", "style": "arabic"}' "$1" "$2"
}
layout "$T/Cases.lyt" 6 "\"sections\": [$(section 1 Ä), $(section 2 ä), $(section 3 Σ), $(section 4 σ), $(section 5 Ж), $(section 6 ж)]"
layout "$T/Device.lyt" 3 '"sections": [{"firstPage": 1, "start": 1, "prefix": "", "style": "arabic"}, {"firstPage": 3, "start": 3, "prefix": "COM", "style": "arabic"}],
 "items": [{"name": "Box", "type": "box", "page": 1, "bounds": [72, 36, 122, 136]}]'
repeated="Several pages of this export would get the same file name, and all but the last would be lost. Choose other pages, another offset or a style that numbers the files:"
reserved="Windows reserves this file name for a device (as CON, NUL, COM1 or LPT1), so no file can have it. Choose another name:"
cr=$(printf '\r')
# refused DIR NAME STYLE RANGE MESSAGE: the dialog refuses with MESSAGE and stays open.
refused() {
    export_pages "$T/out/$1/$2" "$3" "$4"
    echo 'wait-dialog "Kestrix"'
    echo "expect-message $(q "$5")"
    echo "answer ok"
    echo "expect-text $IDC_EXPORT_RANGE $(q "$4")"
    echo "cancel"
}
mkdir -p "$T/out/latin" "$T/out/greek" "$T/out/cyrillic" "$T/out/distinct" "$T/out/device" \
    "$T/out/typed" "$T/out/area"
{
    echo "open $(q "$(winpath "$T/Cases.lyt")")"
    refused latin Catalog "Default PDF" "Ä1-ä1" "$repeated$cr${cr}Catalog_ä1.pdf"
    refused greek Catalog "Default PDF" "Σ1-σ1" "$repeated"
    refused cyrillic Catalog "Default PDF" "Ж1-ж1" "$repeated"
    export_pages "$T/out/distinct/Catalog" "Default PDF" "ä1-Σ1"
    echo "close"
    echo "open $(q "$(winpath "$T/Device.lyt")")"
    refused device Catalog "Number First" "1-COM3" "$reserved$cr${cr}COM3.Catalog.pdf"
    refused typed nul "Same File" "1" "$reserved$cr${cr}nul"
    echo 'select Box'
    echo 'menu "Export page area…"'
    echo 'wait-dialog "Save As"'
    echo "file-name $(q "$(winpath "$T/out/area/con")")"
    echo "choose $IDC_EXPORT_STYLE \"Default PDF\""
    echo "ok"
    echo 'wait-dialog "Kestrix"'
    echo "expect-message $(q "$reserved$cr${cr}con.pdf")"
    echo "answer ok"
    echo 'wait-dialog "Save As"'
    echo "cancel"
    echo "quit"
} >"$T/alike.script"
run_host "$T/alike.script"
for dir in latin greek cyrillic device typed area; do
    check "nothing written for $dir names" "" "$(files "$T/out/$dir")"
done
check "names that differ beyond case" "Catalog_ä1.pdf Catalog_Σ1.pdf" "$(files "$T/out/distinct")"

# A typed extension: ".pdf" or ".eps" (any case) is the output's and is not repeated, in page
# and in area mode alike; any other dotted part is the name's own and stays whole.
layout "$T/Poster.pdf" 1 '"items": [{"name": "Box", "type": "box", "page": 1, "bounds": [72, 36, 122, 136]}]'
cp "$T/Poster.pdf" "$T/Poster.before"
cp "$T/Single.lyt" "$T/Single.before"
mkdir -p "$T/out/dotted" "$T/out/areadot" "$T/out/project"
project="This file is the open project itself: exporting to it would replace the project. Choose another name:"
# area NAME STYLE: script lines exporting the selected box's area as NAME.
area() {
    echo 'menu "Export page area…"'
    echo 'wait-dialog "Save As"'
    echo "file-name $(q "$(winpath "$1")")"
    echo "choose $IDC_EXPORT_STYLE $(q "$2")"
    echo "ok"
}
{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    export_pages "$T/out/dotted/Spring.2025" "Default PDF" "5"
    export_pages "$T/out/dotted/Typed.PDF" "Default EPS" "5"
    echo "close"
    echo "open $(q "$(winpath "$T/Poster.pdf")")"
    echo 'select Box'
    area "$T/out/areadot/Photo.pdf" "Default PDF"
    area "$T/out/areadot/Shot.PDF" "Default EPS"
    area "$T/out/areadot/v1.2" "Default PDF"
    # The area's file would be the open project (a project saved as "Poster.pdf").
    area "$T/Poster" "Default PDF"
    echo 'wait-dialog "Kestrix"'
    echo "expect-message $(q "$project$cr${cr}Poster.pdf")"
    echo "answer ok"
    echo 'wait-dialog "Save As"'
    echo "cancel"
    echo "close"
    # A page's file would be the open project: by the style's suffix, or typed as one file.
    echo "open $(q "$(winpath "$T/Single.lyt")")"
    for case in "Single|Project Suffix|Single.lyt" "Single.LYT|Same File|Single.LYT"; do
        typed=${case%%|*} rest=${case#*|}
        style=${rest%%|*} shown=${rest#*|}
        export_pages "$T/$typed" "$style" 1
        echo 'wait-dialog "Kestrix"'
        echo "expect-message $(q "$project$cr$cr$shown")"
        echo "answer ok"
        echo "expect-text $IDC_EXPORT_RANGE 1"
        echo "cancel"
    done
    echo "quit"
} >"$T/dotted.script"
run_host "$T/dotted.script"
check "page mode: typed extensions" "Spring.2025_005.pdf Typed_005.eps" "$(files "$T/out/dotted")"
check "area mode: typed extensions" "Photo.pdf Shot.eps v1.2.pdf" "$(files "$T/out/areadot")"
for f in Poster.pdf Single.lyt; do
    check "project $f kept" same "$(cmp -s "$T/$f" "$T/${f%.*}.before" && echo same || echo changed)"
done

# A style that names the files after the layout renames the proposed file as a click on the
# box does, and back; a name the user typed stays whatever the style.
{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "choose $IDC_EXPORT_STYLE \"Default PDF\""
    echo "expect-text $IDC_SAVE_AS_FILE_NAME Catalog"
    echo "choose $IDC_EXPORT_STYLE \"By Layout\""
    echo "expect-checked $IDC_EXPORT_BASE_NAME on"
    echo "expect-text $IDC_SAVE_AS_FILE_NAME \"Layout 1\""
    echo "choose $IDC_EXPORT_STYLE \"Default PDF\""
    echo "expect-checked $IDC_EXPORT_BASE_NAME off"
    echo "expect-text $IDC_SAVE_AS_FILE_NAME Catalog"
    echo 'file-name Mine'
    echo "choose $IDC_EXPORT_STYLE \"By Layout\""
    echo "expect-text $IDC_SAVE_AS_FILE_NAME Mine"
    echo "cancel"
    echo "quit"
} >"$T/base.script"
run_host "$T/base.script"

finish
