# Export page area: the PDF's page boxes with and without bleed, an EPS clipped to the area
# holding only the items that touch it, the user's own suppressed item left suppressed, the
# overwrite question that keeps the dialog open, a failed export reported, and the overflow
# question limited to the selection. On spreads: the area of a box on any page of a spread is
# one page, the spread (or the page) cropped to the box; a box that covers nothing of its page
# is refused by name; with AbortOnOverflow, overflowing text touching the area stops it.
. "$(dirname "$0")/lib.sh"

settings '{"name": "Bleed PDF", "type": "PDF", "data": {"XABL": {"BleedSettings": {"Symmetric": "9"}}, "AYWB": {"FWiz": {}}}}' \
    '{"name": "Bleed EPS", "type": "EPS", "data": {"XABL": {"BleedSettings": {"Symmetric": "9"}}, "AYWB": {"FWiz": {}}}}' \
    '{"name": "Spread PDF", "type": "PDF", "data": {"XPDF": {"PageOptions": {"Spreads": "1"}}, "AYWB": {"FWiz": {}}}}' \
    '{"name": "Spread Bleed PDF", "type": "PDF", "data": {"XPDF": {"PageOptions": {"Spreads": "1"}}, "XABL": {"BleedSettings": {"Symmetric": "9"}}, "AYWB": {"FWiz": {}}}}' \
    '{"name": "Spread EPS", "type": "EPS", "data": {"XPXT": {"EPS": {"General": {"Spread": "1"}}}, "AYWB": {"FWiz": {}}}}'
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

# Spreads 1 | 2-3 | 4-5-6; each box 100 x 50 pt at 36 pt from the left and 72 pt from the top
# of its page: a right-hand page, the middle and the left page of a three-page spread.
layout "$T/Spreads.lyt" 6 '"spreads": [[1], [2, 3], [4, 5, 6]], "items": [
 {"name": "Right", "type": "text", "page": 3, "bounds": [72, 36, 122, 136], "text": "RIGHT"},
 {"name": "Middle", "type": "text", "page": 5, "bounds": [72, 36, 122, 136], "text": "MIDDLE"},
 {"name": "Left", "type": "text", "page": 4, "bounds": [72, 36, 122, 136], "text": "LEFT"},
 {"name": "Off", "type": "box", "page": 1, "bounds": [72, 700, 122, 800]},
 {"name": "Nothing", "type": "group", "page": 2},
 {"name": "Crowded", "type": "box", "page": 6, "bounds": [72, 36, 122, 136]},
 {"name": "Spill", "type": "text", "page": 6, "bounds": [100, 100, 118, 200], "text": "Far too many words for this small box to hold on its one short line."}]'
mkdir "$T/out/spreads"

# refused_area BOX: the area export of BOX is refused, naming it.
refused_area() {
    echo "select $1"
    export_area "spreads/$1" "Spread PDF"
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "This box lies wholly outside its page or has no size, so there is no area to export:"'
    echo "dump-text $IDC_MSGBOX_TEXT"
    echo 'answer ok'
}

prefs "OverwriteWarning=0" "AbortOnOverflow=1"
{
    echo "open $(q "$(winpath "$T/Spreads.lyt")")"
    echo 'select Right'
    export_area spreads/RightSpread "Spread PDF"
    export_area spreads/RightPage "Default PDF"
    export_area spreads/Right "Spread EPS"
    echo 'select Middle'
    export_area spreads/Middle "Spread Bleed PDF"
    export_area spreads/Middle "Bleed EPS"
    echo 'select Left'
    export_area spreads/Left "Spread EPS"
    refused_area Off
    refused_area Nothing
    # Spill is not selected, but it touches the area: the output would lose its text.
    echo 'select Crowded'
    echo 'menu "Export page area…"'
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "Text overflow! Printing will be aborted!"'
    echo 'answer ok'
    echo 'expect-selected Spill'
    echo "quit"
} >"$T/spreads.script"
run_host "$T/spreads.script"

s="$T/out/spreads"
check "spread areas written, nothing for the refused ones" \
    "Left.eps Middle.eps Middle.pdf Right.eps RightPage.pdf RightSpread.pdf" "$(files "$s")"
check "the refusals name the box" "2" \
    "$(grep -c '^This box lies .*export:\(Off\|Nothing\)$' "$T/host.txt")"
check "right-hand page, spreads: one page, the spread" "1 0.00 0.00 1224.00 792.00" \
    "$(pdf_pages "$s/RightSpread.pdf") $(pdf_box "$s/RightSpread.pdf" MediaBox)"
check "...cropped to the box in the spread" "648.00 670.00 748.00 720.00" \
    "$(pdf_box "$s/RightSpread.pdf" CropBox)"
check "right-hand page, no spreads: the page" "1 0.00 0.00 612.00 792.00" \
    "$(pdf_pages "$s/RightPage.pdf") $(pdf_box "$s/RightPage.pdf" MediaBox)"
check "...cropped to the box on the page" "36.00 670.00 136.00 720.00" \
    "$(pdf_box "$s/RightPage.pdf" CropBox)"
check "middle page, spreads and 9 pt bleed: one page, the spread with its bleed" \
    "1 0.00 0.00 1854.00 810.00" "$(pdf_pages "$s/Middle.pdf") $(pdf_box "$s/Middle.pdf" MediaBox)"
check "...TrimBox the box" "657.00 679.00 757.00 729.00" "$(pdf_box "$s/Middle.pdf" TrimBox)"
check "...CropBox the box with its bleed" "648.00 670.00 766.00 738.00" \
    "$(pdf_box "$s/Middle.pdf" CropBox)"
# eps_area FILE: bounding box, page label and whether the box's own text is drawn.
eps_area() {
    tr -d '\r' <"$1" | sed -n 's/^%%Page: *\([^ ]*\) .*/\1/p' | tr '\n' ' '
    eps_bbox "$1"
}
check "EPS of a right-hand page, spreads" "(2-3) 648 670 748 720 yes" \
    "$(eps_area "$s/Right.eps") $(grep -q '(RIGHT)' "$s/Right.eps" && echo yes)"
check "EPS of a middle page with bleed, no spreads" "(5) 36 670 154 738 yes" \
    "$(eps_area "$s/Middle.eps") $(grep -q '(MIDDLE)' "$s/Middle.eps" && echo yes)"
check "EPS of a left-hand page, spreads" "(4-6) 36 670 136 720 yes" \
    "$(eps_area "$s/Left.eps") $(grep -q '(LEFT)' "$s/Left.eps" && echo yes)"
for f in Right Middle Left; do
    check "Ghostscript renders $f.eps" "0" \
        "$(gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=nullpage "$s/$f.eps" >/dev/null 2>&1; echo $?)"
done

finish
