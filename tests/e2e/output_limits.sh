# What the output cannot hold is refused with its real reason: a PDF page (with its bleed) below
# 3 pt or above 14400 pt on a side, and a full disk, for EPS and PDF alike, is told as such and
# leaves no file.
. "$(dirname "$0")/lib.sh"

settings '{"name": "Wide Bleed PDF", "type": "PDF", "data": {"XABL": {"BleedSettings": {"Symmetric": "1000"}}, "AYWB": {"FWiz": {}}}}'
project() { # FILE WIDTH HEIGHT
    printf '{"format": "layouthost-project/1", "layouts": [{"name": "Layout 1", "pageWidth": %s, "pageHeight": %s, "pageCount": 1}]}\n' \
        "$2" "$3" >"$1"
}
project "$T/Tiny.lyt" 0.001 0.001
project "$T/Wide.lyt" 13000 792
project "$T/Plain.lyt" 612 792
mkdir -p "$T/out/size"

# refused_page FILE-BASE STYLE: script lines exporting page 1 and printing the message's text.
refused_page() {
    export_pages "$1" "$2" "1"
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "The page could not be exported:"'
    echo "dump-text $IDC_MSGBOX_TEXT"
    echo 'answer ok'
}

prefs
{
    echo "open $(q "$(winpath "$T/Tiny.lyt")")"
    refused_page "$T/out/size/Tiny" "Default PDF"
    echo "close"
    echo "open $(q "$(winpath "$T/Wide.lyt")")"
    refused_page "$T/out/size/Wide" "Wide Bleed PDF"
    echo "quit"
} >"$T/size.script"
run_host "$T/size.script"
size_reason="The page with its bleed is smaller than 3 pt or larger than 14400 pt on a side, which a PDF cannot hold."
check "a page of 0.001 pt and one that the bleed makes 15000 pt wide are refused by name" 2 \
    "$(grep -c "$size_reason" "$T/host.txt")"
check "...and leave no file" "" "$(files "$T/out/size")"

# A full disk: a small file system, filled up.
mkdir -p "$T/full"
if mount -t tmpfs -o size=64k tmpfs "$T/full" 2>/dev/null; then
    dd if=/dev/zero of="$T/full/filler" bs=1k count=64 2>/dev/null
    {
        echo "open $(q "$(winpath "$T/Plain.lyt")")"
        refused_page "$T/full/Plain" "Default EPS"
        refused_page "$T/full/Plain" "Default PDF"
        echo "quit"
    } >"$T/full.script"
    try_host "$T/full.script"
    left=$(files "$T/full")
    umount "$T/full"
    check "a full disk: the script ran" 0 "$status"
    check "a full disk is told as such, for EPS and PDF" 2 \
        "$(grep -c 'The file could not be written: the disk is full.' "$T/host.txt")"
    check "a full disk: no file left" "filler" "$left"
else
    echo "$e2e_name: the full-disk case skipped, a file system cannot be mounted here"
fi

finish
