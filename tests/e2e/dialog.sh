# The export dialog's own controls: the initial page, "all" in both modes and with the
# AllPages preference, the offset field following "absolute", and "Layout name" switching the
# proposed file name.
. "$(dirname "$0")/lib.sh"

settings '{"name": "Framed", "type": "PDF", "data": {"AYWB": {"FWiz": {"Base": "1", "PageMargins": "1"}}}}'
layout "$T/Catalog.lyt" 12
layout "$T/Front.lyt" 6 '"sections": [{"firstPage": 1, "start": 1, "prefix": "", "style": "roman"}, {"firstPage": 4, "start": 1, "prefix": "", "style": "arabic"}]'

prefs
cat >"$T/controls.script" <<SCRIPT
open $(q "$(winpath "$T/Catalog.lyt")")
page 7
menu "Export pages…"
wait-dialog "Save As"
expect-text $IDC_EXPORT_RANGE "7"
expect-checked $IDC_EXPORT_ABSOLUTE off
expect-text $IDC_EXPORT_OFFSET "0"
expect-enabled $IDC_EXPORT_OFFSET off
check $IDC_EXPORT_ABSOLUTE on
expect-enabled $IDC_EXPORT_OFFSET on
click $IDC_EXPORT_ALL
expect-text $IDC_EXPORT_RANGE "1-12"
check $IDC_EXPORT_ABSOLUTE off
expect-enabled $IDC_EXPORT_OFFSET off
choose $IDC_EXPORT_STYLE "Framed"
expect-checked $IDC_EXPORT_BASE_NAME on
expect-checked $IDC_EXPORT_PAGE_MARGINS on
choose $IDC_EXPORT_STYLE "Default PDF"
expect-checked $IDC_EXPORT_BASE_NAME off
expect-checked $IDC_EXPORT_PAGE_MARGINS off
cancel
close
open $(q "$(winpath "$T/Front.lyt")")
menu "Export pages…"
wait-dialog "Save As"
expect-text $IDC_EXPORT_RANGE "i"
click $IDC_EXPORT_ALL
expect-text $IDC_EXPORT_RANGE "i-3"
check $IDC_EXPORT_ABSOLUTE on
click $IDC_EXPORT_ALL
expect-text $IDC_EXPORT_RANGE "1-6"
cancel
quit
SCRIPT
run_host "$T/controls.script"

prefs "AllPages=1"
cat >"$T/allpages.script" <<SCRIPT
open $(q "$(winpath "$T/Catalog.lyt")")
menu "Export pages…"
wait-dialog "Save As"
expect-text $IDC_EXPORT_RANGE "1-12"
cancel
quit
SCRIPT
run_host "$T/allpages.script"

# "Layout name" puts the layout's name into the file name field, unticking puts the
# project's back, replacing whatever was typed; the files follow the field.
prefs
mkdir -p "$T/out"
cat >"$T/basename.script" <<SCRIPT
open $(q "$(winpath "$T/Catalog.lyt")")
menu "Export pages…"
wait-dialog "Save As"
choose $IDC_EXPORT_STYLE "Default PDF"
file-name "Typed"
check $IDC_EXPORT_BASE_NAME on
check $IDC_EXPORT_BASE_NAME off
check $IDC_EXPORT_BASE_NAME on
set $IDC_EXPORT_RANGE "1"
ok
quit
SCRIPT
# The host's dialog starts in the project's folder: the proposed file lands beside it.
run_host "$T/basename.script"
check "file named after the layout" "Layout 1_001.pdf" \
    "$(cd "$T" && ls -1 -- *.pdf 2>/dev/null | tr '\n' ' ' | sed 's/ $//')"


# "Edit…" opens the host's style editor; what is changed there (here: spreads switched on)
# applies at once to the export that follows.
layout "$T/Spreads.lyt" 5 '"spreads": [[1], [2, 3], [4, 5]]'
mkdir -p "$T/out/edited"
cat >"$T/edit.script" <<SCRIPT
open $(q "$(winpath "$T/Spreads.lyt")")
menu "Export pages…"
wait-dialog "Save As"
file-name $(q "$(winpath "$T/out/edited/Spreads")")
choose $IDC_EXPORT_STYLE "Default PDF"
click $IDC_EXPORT_EDIT_STYLE
wait-dialog "Edit Output Style"
check $kStyleSpreadsId on
click $kStyleOkId
wait-dialog "Save As"
set $IDC_EXPORT_RANGE "3"
ok
quit
SCRIPT
run_host "$T/edit.script"
check "after the editor switched spreads on" "Spreads_002.pdf" "$(files "$T/out/edited")"
check "...the file is the spread" "1224 x 792" "$(pdf_size "$T/out/edited/Spreads_002.pdf")"

# A name that makes the path longer than the Save As dialog takes (the dialog's folder in front
# of it) is refused by the script, not typed: Wine's dialog crashes when such a path is
# confirmed. The folders are short enough for the file system; only the whole path is too long.
deep=$(printf '%0150d' 0 | tr 0 b)
mkdir -p "$T/$deep"
cat >"$T/longpath.script" <<SCRIPT
open $(q "$(winpath "$T/Catalog.lyt")")
menu "Export pages…"
wait-dialog "Save As"
file-name $(q "$deep\\$(printf '%0126d' 0 | tr 0 a).pdf")
set $IDC_EXPORT_RANGE "1"
ok
quit
SCRIPT
try_host "$T/longpath.script"
check "path over 259 characters: refused" 2 "$status"
check "...with the reason" yes \
    "$(grep -q 'line 4: file-name: .*Save As dialog takes at most 259' "$T/host.txt" && echo yes || echo no)"
check "...and nothing written" "" "$(files "$T/$deep")"

# The line below the dialog's own items shows what OK would write, following the choices: a
# range, another offset, a range that is refused (in the refusal's words, and OK still refuses
# it) and the area of a box.
layout "$T/Preview.lyt" 12 '"items": [{"name": "Box", "type": "box", "page": 1, "bounds": [72, 36, 122, 136]}]'
mkdir -p "$T/out/preview"
cat >"$T/preview.script" <<SCRIPT
open $(q "$(winpath "$T/Preview.lyt")")
menu "Export pages…"
wait-dialog "Save As"
choose $IDC_EXPORT_STYLE "Default PDF"
file-name $(q "$(winpath "$T/out/preview/Catalog")")
set $IDC_EXPORT_RANGE "1-12"
expect-text $IDC_EXPORT_PREVIEW "Catalog_001.pdf … Catalog_012.pdf (12 files)"
set $IDC_EXPORT_RANGE "3"
expect-text $IDC_EXPORT_PREVIEW "Catalog_003.pdf"
check $IDC_EXPORT_ABSOLUTE on
set $IDC_EXPORT_RANGE "2-4"
set $IDC_EXPORT_OFFSET "10"
expect-text $IDC_EXPORT_PREVIEW "Catalog_012.pdf … Catalog_014.pdf (3 files)"
set $IDC_EXPORT_RANGE "13"
expect-text $IDC_EXPORT_PREVIEW "Invalid page range!"
ok
expect-message "Invalid page range!"
answer ok
cancel
select Box
menu "Export page area…"
wait-dialog "Save As"
choose $IDC_EXPORT_STYLE "Default EPS"
file-name "Detail"
expect-text $IDC_EXPORT_PREVIEW "Detail.eps"
cancel
quit
SCRIPT
run_host "$T/preview.script"
check "the refused range wrote nothing" "" "$(files "$T/out/preview")"

finish
