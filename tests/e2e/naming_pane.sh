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
cat >"$T/defaults.script" <<'SCRIPT'
style-editor "Default PDF"
wait-dialog "Edit Output Style"
expect-text 1 "File name:"
expect-text 2 Project
expect-text 4 _
expect-text 6 00x
expect-text 8 .pdf
expect-checked 9 off
expect-text 9 "Page number before file name"
expect-checked 10 off
ok
style-editor Proof
wait-dialog "Edit Output Style"
ok
style-editor "Never Seen"
wait-dialog "Edit Output Style"
set 4 -
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
set 102 5
set 4 "a/b"
ok
expect-message "Separator and suffix cannot hold characters that file names do not allow:"
answer ok
expect-text 4 "a/b"
expect-text 102 5
set 4 -
set 8 "$long"
ok
expect-message "The separator or the suffix is too long:"
answer ok
expect-text 8 "$long"
type 8 "$long"
expect-text 8 "$(printf %s "$long" | cut -c1-31)"
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
    echo 'choose 9 "Default PDF"'
    echo 'click 10'
    echo 'wait-dialog "Edit Output Style"'
    echo 'set 4 -'
    echo 'choose 6 0x'
    echo 'check 9 on'
    echo 'ok'
    echo 'set 3 5'
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
    for case in "Long Suffix|8|Suffix|$long_suffix" "Accents|8|Suffix|$accents" \
        "Long Sep|4|Separator|$long_sep"; do
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
cat >"$T/twos.script" <<'SCRIPT'
style-editor Twos
wait-dialog "Edit Output Style"
ok
style-editor "Default PDF"
wait-dialog "Edit Output Style"
check 10 on
ok
quit
SCRIPT
run_host "$T/twos.script"
check "unchanged boxes keep their stored values" 2/2 \
    "$(naming Twos | jq -r '.NumberBeforeName + "/" + .PageMargins')"
check "a changed box stores 1" 1 "$(naming "Default PDF" | jq -r .PageMargins)"

finish
