# The tracking history kept in each project and the job slug stamped at output, through the
# host's own open, save, print and the plug-in's Show, Copy and Delete Tracking.
. "$(dirname "$0")/lib.sh"

settings

# A project with the slug box, an empty slug box in a group, and two boxes whose names only
# look like the slug's.
text_box() { # NAME PAGE TOP TEXT
    printf '{"name": "%s", "type": "text", "page": %d, "bounds": [%d, 72, %d, 400], "text": "%s", "fontSize": 12}' \
        "$1" "$2" "$3" "$(($3 + 30))" "$4"
}
layout "$T/Slug.lyt" 2 "\"items\": [$(text_box JobSlug 1 72 'old print time'),
    $(text_box jobslug 1 144 'lower case kept'), $(text_box 'JobSlug 2' 2 72 'suffix kept'),
    {\"name\": \"Corner\", \"type\": \"group\", \"page\": 2, \"members\": [$(text_box JobSlug 2 144 '')]}]"
cp "$T/Slug.lyt" "$T/Slug2.lyt"

# history FILE: the project's tracking block as bytes.
history() {
    jq -r '.data.AYWB // empty' "$1" | base64 -d
}
# words: the event words of a history on stdin, one per line; a line that is no entry
# ("<date>, <time><TAB><word>") shows as BAD.
words() {
    tr '\r' '\n' | LC_ALL=C sed -n 's/^[^\t,]\{1,\}, [^\t]\{1,\}\t\(Open\|Save\|Output\)$/\1/p; t; s/.*/BAD/p'
}
stamp_re='^[0-9][0-9./-]*[0-9], [0-9][0-9:]*[0-9]\( [AP]M\)\?$'

# Tracking 1: every event is recorded in order, a copy written elsewhere is not a save, the
# saved file holds what the history holds, and the copy on the clipboard is that history.
prefs Tracking=1 JobSlug=1
cat >"$T/one.script" <<SCRIPT
open $(q "$(winpath "$T/Slug.lyt")")
save
print "Default PDF" $(q "$(winpath "$T/out/slug.pdf")")
save-copy $(q "$(winpath "$T/out/copy.lyt")")
save
menu "Copy Tracking"
expect-beeps 0
dump-clipboard
quit
SCRIPT
run_host "$T/one.script"
check "Tracking 1: open, save, output, save (the copy adds nothing)" \
    "$(printf 'Open\nSave\nOutput\nSave')" "$(history "$T/Slug.lyt" | words)"
check "every entry ends in a carriage return, none in a line feed" "13 0" \
    "$(history "$T/Slug.lyt" | tail -c 1 | od -An -tu1 | tr -d ' ') $(history "$T/Slug.lyt" | tr -cd '\n' | wc -c)"
check "the clipboard holds the history" "$(history "$T/Slug.lyt")" "$(cat "$T/host.out")"

# The stamp is in the very output: both slug boxes (the empty one too), the look-alikes kept.
pdftotext -layout "$T/out/slug.pdf" "$T/slug.txt" 2>/dev/null
check "old slug text replaced" "0" "$(grep -c 'old print time' "$T/slug.txt")"
check "look-alike names untouched" "2" "$(grep -c -e 'lower case kept' -e 'suffix kept' "$T/slug.txt")"
check "two boxes stamped with date and time" "2" \
    "$(sed 's/^ *//; s/ *$//' "$T/slug.txt" | grep -c "$stamp_re")"
check "the saved project keeps the stamp" "1" \
    "$(jq -r '.layouts[0].items[0].text' "$T/Slug.lyt" | grep -c "$stamp_re")"

# Tracking 2 records opening and saving only; JobSlug 0 leaves the slug alone.
prefs Tracking=2 JobSlug=0
cat >"$T/two.script" <<SCRIPT
open $(q "$(winpath "$T/Slug2.lyt")")
print "Default PDF" $(q "$(winpath "$T/out/plain.pdf")")
save
quit
SCRIPT
run_host "$T/two.script"
check "Tracking 2: no output entry" "$(printf 'Open\nSave')" "$(history "$T/Slug2.lyt" | words)"
check "JobSlug 0: slug text kept" "1" \
    "$(pdftotext "$T/out/plain.pdf" - 2>/dev/null | grep -c 'old print time')"

# No keeps the history, Yes removes it (and the project is changed); an empty history beeps
# on copy, and on delete without a question or a change. Tracking 0 keeps this run's own
# events out.
prefs
cp "$T/Slug.lyt" "$T/Delete.lyt"
cat >"$T/delete.script" <<SCRIPT
open $(q "$(winpath "$T/Delete.lyt")")
menu "Delete Tracking…"
expect-message "Delete Tracking?"
answer no
expect-changed no
expect-beeps 1
menu "Copy Tracking"
expect-beeps 0
menu "Delete Tracking…"
answer yes
expect-changed yes
expect-beeps 1
menu "Copy Tracking"
expect-beeps 1
save
menu "Delete Tracking…"
expect-beeps 1
expect-changed no
quit
SCRIPT
run_host "$T/delete.script"
check "after Yes the saved project has no history" "" "$(history "$T/Delete.lyt")"

# A tracking block that is no base64 text: the project opens all the same, the block is named,
# and it is saved as it stood; the plug-in sees no history and cannot write over it.
printf '{"format": "layouthost-project/1", "data": {"AYWB": "not*base64"}, "layouts": [{"name": "Layout 1", "pageWidth": 612, "pageHeight": 792, "pageCount": 1}]}\n' \
    >"$T/Bad.lyt"
prefs Tracking=1
cat >"$T/bad.script" <<SCRIPT
open $(q "$(winpath "$T/Bad.lyt")")
expect-changed no
menu "Copy Tracking"
expect-beeps 1
save
quit
SCRIPT
run_host "$T/bad.script"
check "a bad block is reported by name" 1 "$(grep -c 'data of "AYWB" is not base64 text' "$T/host.txt")"
check "a bad block is saved as it stood" "not*base64" "$(jq -r '.data.AYWB' "$T/Bad.lyt")"

# A history written by another tool: bytes that are no UTF-8 (and a zero byte) show and copy
# as U+FFFD and nothing else changes; thousands of entries show, copy and save whole.
seq 3000 | sed 's/.*/01.02.2026, 10:&\tOpen/' | tr '\n' '\r' >"$T/long.bin"
printf 'bad \377 byte\tSave\rcut \303\tOutput\rzero \000 byte\tOpen\r' >>"$T/long.bin"
seq 3000 | sed 's/.*/02.02.2026, 11:&\tSave/' | tr '\n' '\r' >>"$T/long.bin"
printf '{"format": "layouthost-project/1", "data": {"AYWB": "%s"}, "layouts": [{"name": "Layout 1", "pageWidth": 612, "pageHeight": 792, "pageCount": 1}]}\n' \
    "$(base64 -w 0 "$T/long.bin")" >"$T/Long.lyt"
prefs Tracking=1
cat >"$T/long.script" <<SCRIPT
open $(q "$(winpath "$T/Long.lyt")")
menu "Copy Tracking"
dump-clipboard
menu "Show Tracking…"
wait-dialog Tracking
dump-text $IDC_TRACKING_HISTORY
ok
save
quit
SCRIPT
run_host "$T/long.script"
history "$T/Long.lyt" >"$T/saved.bin"
size=$(wc -c <"$T/long.bin")
check "the long history saved whole, with the new entries behind it" "$(cat "$T/long.bin" | od -An -tx1 | md5sum)" \
    "$(head -c "$size" "$T/saved.bin" | od -An -tx1 | md5sum)"
check "two entries added" "$(printf 'Open\nSave')" "$(tail -c +$((size + 1)) "$T/saved.bin" | words)"
# Before this run's Save the history was the old one and the Open entry; bad bytes copy and
# show as U+FFFD, and the window shows each entry on a line of its own.
open_entry=$(tail -c +$((size + 1)) "$T/saved.bin" | tr '\r' '\n' | head -n 1)
replaced() {
    tr '\000' '\001' <"$T/long.bin" | LC_ALL=C sed 's/\xff/\xef\xbf\xbd/; s/\xc3\t/\xef\xbf\xbd\t/; s/\x01/\xef\xbf\xbd/'
}
{
    replaced
    printf '%s\r\n' "$open_entry"
    replaced | LC_ALL=C sed 's/\r/\r\n/g'
    printf '%s\r\n\n' "$open_entry"
} >"$T/expected.out"
check "copy and show: the whole history, bad bytes as U+FFFD" "same" \
    "$(cmp -s "$T/expected.out" "$T/host.out" && echo same || cmp "$T/expected.out" "$T/host.out")"

finish
