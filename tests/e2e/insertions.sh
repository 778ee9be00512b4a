# What the plug-in adds to the host's PostScript: the header comments, the EPS TrimBox block
# and the page frame, exactly as written; Ghostscript must turn the TrimBox block into the
# page's TrimBox in default user space, with and without bleed. The host's own output gets
# at most the process colour comment.
. "$(dirname "$0")/lib.sh"

settings \
    '{"name": "Bleed EPS", "type": "EPS", "data": {"XABL": {"BleedSettings": {"Symmetric": "9"}}, "AYWB": {"FWiz": {}}}}' \
    '{"name": "Bleed PDF", "type": "PDF", "data": {"XABL": {"BleedSettings": {"Symmetric": "9"}}, "AYWB": {"FWiz": {}}}}' \
    '{"name": "Black EPS", "type": "EPS", "ProcessColors": true, "data": {"AYWB": {"FWiz": {}}}}'
layout "$T/Catalog.lyt" 12
mkdir -p "$T/out/frame" "$T/out/bleed" "$T/out/pdf" "$T/out/black" "$T/out/print"

# lines FILE: the file's lines without their CR.
lines() { tr -d '\r' <"$1"; }
# crlf FILE: "CRLF" when every line of the file that the plug-in wrote ends in CR LF.
crlf() {
    if grep -a 'Kestrix' "$1" | grep -a -v "$(printf '\r')\$" >/dev/null; then
        echo "bare LF"
    else
        echo "CRLF"
    fi
}
# trimbox_block FILE: the TrimBox block, from its comment to its "end".
trimbox_block() { lines "$1" | sed -n '/Kestrix TrimBox/,/^end$/p'; }
# frame_line FILE: our page frame (the host draws its own boxes with rectstroke too).
frame_line() { lines "$1" | grep -a "^$(printf '\t')gsave 0 setgray .* rectstroke grestore\$" || true; }
# distil EPS PDF: the EPS through Ghostscript, cropped to its bounding box.
distil() {
    gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -dEPSCrop -o "$2" "$1" >/dev/null 2>&1 ||
        echo "gs failed on $1"
}

prefs "AddBlack=1"
{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    export_pages "$T/out/frame/Catalog" "Default EPS" "1" "check $IDC_EXPORT_PAGE_MARGINS on"
    export_pages "$T/out/bleed/Catalog" "Bleed EPS" "2"
    export_pages "$T/out/pdf/Catalog" "Bleed PDF" "3" "check $IDC_EXPORT_PAGE_MARGINS on"
    export_pages "$T/out/black/Catalog" "Black EPS" "4"
    echo "print $(q "Black EPS") $(q "$(winpath "$T/out/print/black.eps")") 5"
    echo "print $(q "Default EPS") $(q "$(winpath "$T/out/print/plain.eps")") 5"
    echo "quit"
} >"$T/addblack.script"
run_host "$T/addblack.script"

eps=$T/out/frame/Catalog_001.eps
tab=$(printf '\t')
expected_block="$tab$tab%%${tab}Kestrix TrimBox

10 dict begin
$tab/m matrix currentmatrix matrix defaultmatrix matrix invertmatrix matrix concatmatrix def
${tab}0.000 792.000 m transform /y1 exch def /x1 exch def
${tab}612.000 0.000 m transform /y2 exch def /x2 exch def
$tab/pdfmark where {pop [{ThisPage} <</TrimBox [x1 y1 x2 y2]>> /PUT pdfmark} if
end"
check "TrimBox block of a US Letter EPS" "$expected_block" "$(trimbox_block "$eps")"
check "page frame" \
    "${tab}gsave 0 setgray 0.250000 setlinewidth -0.125 -0.125 612.250 792.250 rectstroke grestore" \
    "$(frame_line "$eps")"
check "header comment" "%%Kestrix: 7.03" "$(lines "$eps" | grep -a '^%%Kestrix' || true)"
check "line ends" "CRLF" "$(crlf "$eps")"
check "no process colour without the style's setting" "" \
    "$(lines "$eps" | grep -a 'DocumentProcessColors' || true)"

distil "$eps" "$T/frame.pdf"
check "distilled TrimBox" "0.00 0.00 612.00 792.00" "$(pdf_box "$T/frame.pdf" TrimBox)"

# With 9 points of bleed the medium grows; the TrimBox must stay on the page.
bleed=$T/out/bleed/Catalog_002.eps
check "no frame without page margins" "" "$(frame_line "$bleed")"
distil "$bleed" "$T/bleed.pdf"
check "distilled media with bleed" "0.00 0.00 630.00 810.00" "$(pdf_box "$T/bleed.pdf" MediaBox)"
check "distilled TrimBox with bleed" "9.00 9.00 621.00 801.00" "$(pdf_box "$T/bleed.pdf" TrimBox)"

# A PDF in page mode gets no boxes of ours: the TrimBox is the medium.
pdf=$T/out/pdf/Catalog_003.pdf
check "PDF media with bleed" "0.00 0.00 630.00 810.00" "$(pdf_box "$pdf" MediaBox)"
check "PDF without a TrimBox of ours" "0.00 0.00 630.00 810.00" "$(pdf_box "$pdf" TrimBox)"

black=$T/out/black/Catalog_004.eps
check "process colour with AddBlack 1" "%%DocumentProcessColors: Black" \
    "$(lines "$black" | grep -a 'DocumentProcessColors' || true)"

# The host's own print: the process colour comment at most, nothing else of ours.
check "user's print: process colour" "%%DocumentProcessColors: Black" \
    "$(lines "$T/out/print/black.eps" | grep -a 'DocumentProcessColors' || true)"
for f in black plain; do
    check "user's print $f.eps: nothing else of ours" "" \
        "$(lines "$T/out/print/$f.eps" | grep -a 'Kestrix' || true)$(frame_line "$T/out/print/$f.eps")"
done

# AddBlack 0: never the process colour comment.
prefs "AddBlack=0"
mkdir -p "$T/out/noblack"
{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    export_pages "$T/out/noblack/Catalog" "Black EPS" "4"
    echo "print $(q "Black EPS") $(q "$(winpath "$T/out/noblack/print.eps")") 5"
    echo "quit"
} >"$T/noblack.script"
run_host "$T/noblack.script"
for f in Catalog_004.eps print.eps; do
    check "AddBlack 0: $f" "" \
        "$(lines "$T/out/noblack/$f" | grep -a 'DocumentProcessColors' || true)"
done

finish
