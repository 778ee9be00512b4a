# The host's own output: `print` of the sample catalogue as PDF and EPS, checked with pdfinfo
# and the EPS header, and the dumps of project data and the clipboard.
. "$(dirname "$0")/lib.sh"

cat_lyt=$(q "$(winpath "$ha_root/samples/Catalog.lyt")")
pdf=$T/out.pdf
eps=$T/out.eps
eps_spread=$T/spread.eps

host "open $cat_lyt
print \"Default PDF\" $(q "$(winpath "$pdf")")
print \"Default EPS\" $(q "$(winpath "$eps")") 5
print \"Print PDF\" $(q "$(winpath "$T/bleed.pdf")") 2 3
quit"
check "print: status" 0 "$status"
check "print: report" "" "$(script_errors)"
check "PDF: pages" 12 "$(pdfinfo "$pdf" 2>&1 | sed -n 's/^Pages: *//p')"
check "PDF: US Letter" "612 x 792 pts (letter)" \
    "$(pdfinfo "$pdf" 2>&1 | sed -n 's/^Page size: *//p')"
check "EPS: the DSC header" "%!PS-Adobe-3.0 EPSF-3.0" "$(head -n 1 "$eps" | tr -d '\r')"
check "EPS of page 5: bounding box" "0 0 612 792" \
    "$(tr -d '\r' <"$eps" | sed -n 's/^%%BoundingBox: *//p' | head -n 1)"
# "Print PDF" has a bleed of 9 points: each page grows by 18 points both ways.
check "PDF with bleed: pages" 2 "$(pdfinfo "$T/bleed.pdf" 2>&1 | sed -n 's/^Pages: *//p')"
check "PDF with bleed: page size" "630 x 810 pts" \
    "$(pdfinfo "$T/bleed.pdf" 2>&1 | sed -n 's/^Page size: *//p')"

# The same with the plug-in loaded: its output hooks see the host's own print and leave it as
# it is.
if [ -n "${3:-}" ]; then
    cp "$3" "$T/plugins/"
    rm -f "$pdf" "$eps"
    host "open $cat_lyt
print \"Default PDF\" $(q "$(winpath "$pdf")")
print \"Default EPS\" $(q "$(winpath "$eps")") 5
quit"
    check "print with the plug-in: status" 0 "$status"
    check "print with the plug-in: report" "" "$(script_errors)"
    check "PDF with the plug-in: pages" 12 "$(pdfinfo "$pdf" 2>&1 | sed -n 's/^Pages: *//p')"
    check "PDF with the plug-in: US Letter" "612 x 792 pts (letter)" \
        "$(pdfinfo "$pdf" 2>&1 | sed -n 's/^Page size: *//p')"
    check "EPS with the plug-in: bounding box" "0 0 612 792" \
        "$(tr -d '\r' <"$eps" | sed -n 's/^%%BoundingBox: *//p' | head -n 1)"
    rm -f "$T/plugins/"*
fi

# A failing output writes nothing: an EPS range of several pages is refused.
host "open $cat_lyt
print \"Default EPS\" $(q "$(winpath "$T/range.eps")") 2 3"
check "EPS of two pages: status" 2 "$status"
check "EPS of two pages: no file" no "$([ -e "$T/range.eps" ] && echo yes || echo no)"

# A missing distiller is reported and leaves no PDF behind.
host "open $cat_lyt
print \"Default PDF\" $(q "$(winpath "$T/nodist.pdf")")" --distiller /nonexistent/gs
check "missing distiller: status" 2 "$status"
check "missing distiller: no file" no "$([ -e "$T/nodist.pdf" ] && echo yes || echo no)"

# A malformed settings file is refused as a whole and left alone; the host goes on with its
# default styles.
printf '{"format": "layouthost-settings/1", "outputStyles": [{"name": "Broken"' >"$T/settings.json"
cp "$T/settings.json" "$T/broken.json"
host "open $cat_lyt
print \"Default EPS\" $(q "$(winpath "$T/default.eps")") 1
print Broken $(q "$(winpath "$T/broken.eps")") 1"
check "malformed settings: the defaults work, the file's style does not" \
    'script: line 3: no output style "Broken"' "$(script_errors)"
check "malformed settings: the default style wrote its file" yes \
    "$([ -s "$T/default.eps" ] && echo yes || echo no)"
check "malformed settings: named on stderr" yes \
    "$(grep -q '^layouthost: .*settings.json' "$T/err" && echo yes || echo no)"
check "malformed settings: file untouched" same \
    "$(cmp -s "$T/settings.json" "$T/broken.json" && echo same || echo changed)"

# Data blocks of the project are printed as text.
printf '{"format": "layouthost-project/1", "layouts": [{"name": "L", "pageWidth": 612, "pageHeight": 792, "pageCount": 1, "data": {"AYWB": "%s"}}], "data": {"AYWB": "%s"}}\n' \
    "$(printf 'layout note' | base64)" "$(printf 'Open\rSave\r' | base64)" >"$T/data.lyt"
host "open $(q "$(winpath "$T/data.lyt")")
dump-data document AYWB
dump-data layout AYWB
dump-data document ZZZZ"
check "dump-data: status" 0 "$status"
check "dump-data: document and layout blocks" "$(printf 'Open\rSave\r\nlayout note')" \
    "$(cat "$T/out.raw")"

finish
