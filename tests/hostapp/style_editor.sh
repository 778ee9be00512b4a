# The host's output style editor driven by script: its fields, confirmation, cancel, refused
# values with the system message box, and a screenshot of it.
. "$(dirname "$0")/lib.sh"

style_value() { # NAME JQ-PATH
    jq -r --arg n "$1" ".outputStyles[] | select(.name == \$n) | $2" "$T/settings.json" 2>&1
}

host - <<SCRIPT
style-editor "Print PDF"
wait-dialog "Edit Output Style"
expect-text $kStyleNameId "Print PDF"
expect-text $kStyleTypeId PDF
expect-text $kStyleBleedId 9
expect-checked $kStyleSpreadsId off
set $kStyleNameId "Proof PDF"
set $kStyleBleedId 4.5
check $kStyleSpreadsId on
ok
quit
SCRIPT
check "edit: status" 0 "$status"
check "edit: report" "" "$(script_errors)"
check "edit: the style is renamed" "Proof PDF" "$(style_value "Proof PDF" .name)"
check "edit: bleed stored" 4.5 "$(style_value "Proof PDF" .data.XABL.BleedSettings.Symmetric)"
check "edit: spreads stored" 1 "$(style_value "Proof PDF" .data.XPDF.PageOptions.Spreads)"
check "edit: the other styles stay" "Default EPS,Default PDF,Proof PDF,Spreads EPS,Proof" \
    "$(jq -r '[.outputStyles[].name] | join(",")' "$T/settings.json")"

# The EPS spreads switch lives elsewhere in the data; switching it off is stored as 0.
host - <<SCRIPT
style-editor "Spreads EPS"
expect-checked $kStyleSpreadsId on
click $kStyleSpreadsId
expect-checked $kStyleSpreadsId off
ok
SCRIPT
check "EPS spreads off: status" 0 "$status"
check "EPS spreads off: stored" 0 "$(style_value "Spreads EPS" .data.XPXT.EPS.General.Spread)"

cp "$T/settings.json" "$T/before.json"
host - <<SCRIPT
style-editor "Default EPS"
set $kStyleNameId Changed
set $kStyleBleedId 3
cancel
quit
SCRIPT
check "cancel: status" 0 "$status"
check "cancel: the settings file is untouched" same \
    "$(cmp -s "$T/before.json" "$T/settings.json" && echo same || echo changed)"

# Refused values keep the editor open after the message box.
host - <<SCRIPT
style-editor "Default EPS"
set $kStyleBleedId lots
ok
expect-message "The bleed must be a number of points from 0 to 1000."
answer ok
set $kStyleBleedId -2
ok
expect-message "The bleed must be a number of points from 0 to 1000."
answer ok
set $kStyleBleedId 2
set $kStyleNameId "Default PDF"
ok
expect-message "A style named \"Default PDF\" exists already."
answer ok
set $kStyleNameId ""
ok
expect-message "The style needs a name."
answer ok
expect-text $kStyleNameId ""
cancel
SCRIPT
check "refused values: status" 0 "$status"
check "refused values: report" "" "$(script_errors)"
check "refused values: nothing stored" same \
    "$(cmp -s "$T/before.json" "$T/settings.json" && echo same || echo changed)"

# A style of another type has no spreads switch.
host - <<SCRIPT
style-editor Proof
expect-enabled $kStyleSpreadsId off
expect-text $kStyleTypeId Print
cancel
SCRIPT
check "print style: status" 0 "$status"
check "print style: report" "" "$(script_errors)"

host "style-editor \"Default PDF\"
screenshot $(q "$(winpath "$T/editor.png")")
cancel"
check "screenshot: status" 0 "$status"
check "screenshot: a PNG" PNG "$(identify -format '%m' "$T/editor.png" 2>&1)"
size=$(identify -format '%w %h' "$T/editor.png" 2>/dev/null || echo "0 0")
check "screenshot: the editor's size (at least 300 x 100 pixels)" yes \
    "$(echo "$size" | awk '{ print ($1 >= 300 && $2 >= 100) ? "yes" : "no: " $0 }')"
# Not a blank image: the dialog has text and frames, so more than one colour.
check "screenshot: has content" yes \
    "$(identify -format '%k' "$T/editor.png" 2>/dev/null | awk '{ print ($1 > 2) ? "yes" : "no: " $1 " colours" }')"

finish
