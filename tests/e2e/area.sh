# Export page area: the PDF's page boxes with and without bleed, an EPS clipped to the area
# holding only the items that touch it, the user's own suppressed item left suppressed, the
# overwrite question that keeps the dialog open, a failed export reported, and the overflow
# question limited to the selection.
. "$(dirname "$0")/lib.sh"

settings '{"name": "Bleed PDF", "type": "PDF", "data": {"XABL": {"BleedSettings": {"Symmetric": "9"}}, "AYWB": {"FWiz": {}}}}'
# Box: 100 x 50 pt, 36 pt from the left and 72 pt from the top of page 1.
layout "$T/Area.lyt" 2 '"items": [
 {"name": "Box", "type": "box", "page": 1, "bounds": [72, 36, 122, 136]},
 {"name": "Touching", "type": "text", "page": 1, "bounds": [110, 130, 200, 300], "text": "TOUCHING"},
 {"name": "Outside", "type": "text", "page": 1, "bounds": [400, 36, 450, 300], "text": "OUTSIDE"},
 {"name": "Mine", "type": "text", "page": 1, "bounds": [500, 36, 550, 300], "text": "MINE", "suppressOutput": true},
 {"name": "Story", "type": "text", "page": 1, "bounds": [600, 36, 620, 100], "text": "Far too many words for this small box to hold on its one short line."},
 {"name": "Pair", "type": "group", "page": 2, "members": [
   {"name": "Pair box", "type": "box", "page": 2, "bounds": [72, 36, 122, 136]},
   {"name": "Pair text", "type": "text", "page": 2, "bounds": [130, 36, 150, 100], "text": "Far too many words for this small box to hold on its one short line."}]}]'
mkdir -p "$T/out/Fail.pdf"
echo "old file" >"$T/out/Old.pdf"

# export_area NAME STYLE: choose "Export page area…" for the selected box, type NAME, choose
# STYLE and press Save.
export_area() {
    echo 'menu "Export page area…"'
    echo 'wait-dialog "Save As"'
    echo "expect-enabled $IDC_EXPORT_RANGE off"
    echo "file-name $(q "$(winpath "$T/out/$1")")"
    echo "choose $IDC_EXPORT_STYLE $(q "$2")"
    echo "ok"
}

prefs "OverwriteWarning=0"
{
    echo "open $(q "$(winpath "$T/Area.lyt")")"
    echo 'select Box'
    export_area Box "Default PDF"
    export_area Bleed "Bleed PDF"
    export_area Box "Default EPS"
    # The existing file is asked about whatever the preference says; No keeps the dialog.
    export_area Old "Default PDF"
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "The output file already exists! Overwrite?"'
    echo 'answer no'
    echo "file-name $(q "$(winpath "$T/out/New")")"
    echo 'ok'
    export_area Fail "Default PDF"
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "The page area could not be exported:"'
    echo 'answer ok'
    # An overflowing member of the selected group is reported; No shows it and ends the run.
    echo 'select Pair'
    echo 'menu "Export page area…"'
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "Text overflow! Continue anyway?"'
    echo 'answer no'
    echo 'expect-selected "Pair text"'
    echo "save-as $(q "$(winpath "$T/Saved.lyt")")"
    echo "quit"
} >"$T/area.script"
run_host "$T/area.script"

check "files written" "Bleed.pdf Box.eps Box.pdf Fail.pdf New.pdf Old.pdf" "$(files "$T/out")"
for b in CropBox BleedBox TrimBox; do
    check "$b of the area without bleed" "36.00 670.00 136.00 720.00" "$(pdf_box "$T/out/Box.pdf" $b)"
done
check "TrimBox with 9 pt bleed" "45.00 679.00 145.00 729.00" "$(pdf_box "$T/out/Bleed.pdf" TrimBox)"
check "BleedBox with 9 pt bleed" "36.00 670.00 154.00 738.00" "$(pdf_box "$T/out/Bleed.pdf" BleedBox)"
check "CropBox with 9 pt bleed" "36.00 670.00 154.00 738.00" "$(pdf_box "$T/out/Bleed.pdf" CropBox)"
for f in Box Bleed New; do
    check "qpdf accepts $f.pdf" "0" "$(qpdf --check "$T/out/$f.pdf" >/dev/null 2>&1; echo $?)"
done

eps=$(tr -d '\r' <"$T/out/Box.eps")
check "EPS bounding box is the area" "36 670 136 720" "$(eps_bbox "$T/out/Box.eps")"
check "EPS holds the item touching the area" "yes" \
    "$(echo "$eps" | grep -q '(TOUCHING)' && echo yes || echo no)"
check "EPS leaves out the items wholly outside" "0" \
    "$(echo "$eps" | grep -c '(OUTSIDE)\|(MINE)\|(Far')"
check "Ghostscript renders the EPS" "0" \
    "$(gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=nullpage "$T/out/Box.eps" >/dev/null 2>&1; echo $?)"

check "refused overwrite leaves the old file" "old file" "$(cat "$T/out/Old.pdf")"
check "...and the dialog went on to the new name" "PDF" "$(is_pdf "$T/out/New.pdf")"
check "the failed export left the folder in its place" "yes" \
    "$([ -d "$T/out/Fail.pdf" ] && echo yes || echo no)"

suppressed() {
    jq -r --arg n "$1" '.layouts[0].items[] | select(.name == $n) | .suppressOutput' "$T/Saved.lyt"
}
check "the user's suppressed item stays suppressed" "true" "$(suppressed Mine)"
check "hidden items are shown again" "false false false" \
    "$(suppressed Outside) $(suppressed Story) $(suppressed Touching)"

finish
