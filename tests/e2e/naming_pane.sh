# The file-naming pane in the host's style editor: what an EPS or PDF style shows and stores,
# no pane for other styles, texts the record cannot take refused with the editor kept open,
# and a change made in the pane used by the export that opened the editor.
. "$(dirname "$0")/lib.sh"

settings '{"name": "Proof", "type": "Print"}' '{"name": "Never Seen", "type": "EPS"}'
layout "$T/Catalog.lyt" 12
mkdir -p "$T/out/edited"
prefs

naming() { # STYLE: the style's naming record as the settings file holds it, keys sorted
    jq -cS --arg n "$1" '.outputStyles[] | select(.name == $n) | .data.AYWB.FWiz' \
        "$T/settings.json" 2>&1
}

# A PDF style whose naming record holds no keys shows the defaults and stores them unchanged;
# confirming a Print style's editor stores no naming record, as it shows no pane. A style that
# never had a naming record gets one: the host creates it, so the edit sticks.
cat >"$T/defaults.script" <<SCRIPT
style-editor "Default PDF"
wait-dialog "Edit Output Style"
expect-text $IDC_PANE_FILE_NAME "File name:"
expect-text $IDC_PANE_BASE Project
expect-text $IDC_PANE_SEPARATOR _
expect-text $IDC_PANE_NUMBERS 00x
expect-text $IDC_PANE_SUFFIX .pdf
expect-checked $IDC_PANE_NUMBER_BEFORE_NAME off
expect-text $IDC_PANE_NUMBER_BEFORE_NAME "Page number before file name"
expect-checked $IDC_PANE_PAGE_MARGINS off
ok
style-editor Proof
wait-dialog "Edit Output Style"
ok
style-editor "Never Seen"
wait-dialog "Edit Output Style"
set $IDC_PANE_SEPARATOR -
ok
quit
SCRIPT
run_host "$T/defaults.script"
check "defaults stored" \
    '{"Base":"0","NumberBeforeName":"0","Numbers":"2","PageMargins":"0","Sep":"_","Suffix":".pdf"}' \
    "$(naming "Default PDF")"
check "a Print style gets no naming record" null "$(naming Proof)"
check "a never-seen style keeps the edit" - "$(naming "Never Seen" | jq -r .Sep)"

# Texts the record cannot take: a forbidden character, then more than 31 bytes. Each is refused
# with the editor open and every field as typed; what is typed stops at 31 characters. The
# cancelled editor stores nothing, the host's own bleed field included.
long=abcdefghijklmnopqrstuvwxyz0123456789
cp "$T/settings.json" "$T/settings.before"
cat >"$T/refused.script" <<SCRIPT
style-editor "Default PDF"
wait-dialog "Edit Output Style"
set $kStyleBleedId 5
set $IDC_PANE_SEPARATOR "a/b"
ok
expect-message "Separator and suffix cannot hold characters that file names do not allow:"
answer ok
expect-text $IDC_PANE_SEPARATOR "a/b"
expect-text $kStyleBleedId 5
set $IDC_PANE_SEPARATOR -
set $IDC_PANE_SUFFIX "$long"
ok
expect-message "The separator or the suffix is too long:"
answer ok
expect-text $IDC_PANE_SUFFIX "$long"
type $IDC_PANE_SUFFIX "$long"
expect-text $IDC_PANE_SUFFIX "$(printf %s "$long" | cut -c1-31)"
cancel
quit
SCRIPT
run_host "$T/refused.script"
check "refused: nothing stored" same \
    "$(cmp -s "$T/settings.before" "$T/settings.json" && echo same || echo changed)"

# The export dialog's Edit button opens the editor of the chosen style; the change made in the
# pane names the files of this very export.
{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "file-name $(q "$(winpath "$T/out/edited/Catalog")")"
    echo "choose $IDC_EXPORT_STYLE \"Default PDF\""
    echo "click $IDC_EXPORT_EDIT_STYLE"
    echo 'wait-dialog "Edit Output Style"'
    echo "set $IDC_PANE_SEPARATOR -"
    echo "choose $IDC_PANE_NUMBERS 0x"
    echo "check $IDC_PANE_NUMBER_BEFORE_NAME on"
    echo 'ok'
    echo "set $IDC_EXPORT_RANGE 5"
    echo 'ok'
    echo 'quit'
} >"$T/edited.script"
run_host "$T/edited.script"
check "the pane's change names the file" "05-Catalog.pdf" "$(files "$T/out/edited")"
check "the change is stored" \
    '{"Base":"0","NumberBeforeName":"1","Numbers":"1","PageMargins":"0","Sep":"-","Suffix":".pdf"}' \
    "$(naming "Default PDF")"

# Stored texts the record cannot take whole (more than 31 bytes: 35 ASCII bytes, or 16 "é" and
# ".pdf" in 20 characters but 36 bytes, and a separator of 40 bytes) are shown whole, and the
# editor confirmed unchanged refuses them naming the field instead of storing them cut (a suffix
# without its extension); nothing is stored.
long_suffix="_abcdefghijklmnopqrstuvwxyz0123.pdf"
accents="éééééééééééééééé.pdf"
long_sep="----------------------------------------"
settings "{\"name\": \"Long Suffix\", \"type\": \"PDF\", \"data\": {\"AYWB\": {\"FWiz\": {\"Suffix\": \"$long_suffix\"}}}}" \
    "{\"name\": \"Accents\", \"type\": \"PDF\", \"data\": {\"AYWB\": {\"FWiz\": {\"Suffix\": \"$accents\"}}}}" \
    "{\"name\": \"Long Sep\", \"type\": \"EPS\", \"data\": {\"AYWB\": {\"FWiz\": {\"Sep\": \"$long_sep\"}}}}"
cp "$T/settings.json" "$T/settings.before"
cr=$(printf '\r')
toolong="The separator or the suffix is too long:"
{
    for case in "Long Suffix|$IDC_PANE_SUFFIX|Suffix|$long_suffix" \
        "Accents|$IDC_PANE_SUFFIX|Suffix|$accents" \
        "Long Sep|$IDC_PANE_SEPARATOR|Separator|$long_sep"; do
        style=${case%%|*} rest=${case#*|}
        item=${rest%%|*} rest=${rest#*|}
        field=${rest%%|*} text=${rest#*|}
        echo "style-editor $(q "$style")"
        echo 'wait-dialog "Edit Output Style"'
        echo "expect-text $item $(q "$text")"
        echo "ok"
        echo "expect-message $(q "$toolong$cr$cr$field: $text")"
        echo "answer ok"
        echo "cancel"
    done
    echo "quit"
} >"$T/stored.script"
run_host "$T/stored.script"
check "stored texts too long: confirming unchanged stores nothing" same \
    "$(cmp -s "$T/settings.before" "$T/settings.json" && echo same || echo changed)"

# Stored box values other than 0 and 1 (a hand-edited 2) stay as stored when the editor is
# confirmed with the boxes untouched; a box the user changes stores 0 or 1.
settings '{"name": "Twos", "type": "PDF", "data": {"AYWB": {"FWiz": {"NumberBeforeName": "2", "PageMargins": "2"}}}}'
cat >"$T/twos.script" <<SCRIPT
style-editor Twos
wait-dialog "Edit Output Style"
ok
style-editor "Default PDF"
wait-dialog "Edit Output Style"
check $IDC_PANE_PAGE_MARGINS on
ok
quit
SCRIPT
run_host "$T/twos.script"
check "unchanged boxes keep their stored values" 2/2 \
    "$(naming Twos | jq -r '.NumberBeforeName + "/" + .PageMargins')"
check "a changed box stores 1" 1 "$(naming "Default PDF" | jq -r .PageMargins)"

finish
