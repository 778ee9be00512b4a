# The preferences dialog from the plug-in menu: what a fresh installation shows, Logfile taking
# effect in the same session, Cancel storing nothing (on disk or in memory), OK keeping the
# folder path, the German dialog, hand-edited values, a file that cannot be read, and two hosts
# saving one file.
. "$(dirname "$0")/lib.sh"

settings
layout "$T/Catalog.lyt" 3
mkdir -p "$T/out/log"
e2e_log="$(dirname "$(dirname "$e2e_user_dir")")/Documents/Quendrel/Kestrix.txt"

# expect_boxes STATE...: script lines checking the seven boxes of the dialog, in their order.
expect_boxes() {
    for id in $IDC_PREFS_LAST_FOLDER $IDC_PREFS_LOGGING $IDC_PREFS_ADD_ALWAYS \
        $IDC_PREFS_OVERWRITE_WARNING $IDC_PREFS_JOB_SLUG $IDC_PREFS_TRACKING \
        $IDC_PREFS_ABORT_ON_OVERFLOW; do
        echo "expect-checked $id $1"
        shift
    done
}

# A fresh installation: no preferences file at all. Logfile switched on with OK logs the very
# next export, without a restart of the host.
rm -f "$e2e_prefs"
{
    echo 'menu "Preferences…"'
    echo 'wait-dialog "Kestrix - Preferences"'
    expect_boxes off off on off off off off
    echo "check $IDC_PREFS_LOGGING on"
    echo 'ok'
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    export_pages "$T/out/log/Catalog" "Default PDF" "2"
    echo 'quit'
} >"$T/fresh.script"
run_host "$T/fresh.script"
check "fresh: Logfile stored" 1 "$(pref Logging)"
check "fresh: the other six as shown" "0 1 0 0 0 0" \
    "$(echo $(pref LastFolder) $(pref AddAlways) $(pref OverwriteWarning) $(pref JobSlug) \
        $(pref Tracking) $(pref AbortOnOverflow))"
check "fresh: the export ran" "Catalog_002.pdf" "$(files "$T/out/log")"
check "fresh: the export was logged in the same session" yes \
    "$(grep -q 'exportPage: 2' "$e2e_log" 2>/dev/null && echo yes || echo "no: $(ls -l "$e2e_log" 2>&1)")"

# Cancel after changes: the file stays as it was, and so do the values in memory, as the
# dialog shows them when it opens again.
prefs 'LastFolder=1' 'FolderPath=Z:\Jobs\Spring' 'JobSlug=1' 'Logging=0'
cp "$e2e_prefs" "$T/prefs.set"
{
    echo 'menu "Preferences…"'
    echo 'wait-dialog "Kestrix - Preferences"'
    expect_boxes on off on off on off off
    echo "check $IDC_PREFS_LAST_FOLDER off"
    echo "check $IDC_PREFS_LOGGING on"
    echo "check $IDC_PREFS_ABORT_ON_OVERFLOW on"
    echo 'cancel'
    echo 'menu "Preferences…"'
    echo 'wait-dialog "Kestrix - Preferences"'
    expect_boxes on off on off on off off
    echo 'cancel'
    echo 'quit'
} >"$T/cancel.script"
run_host "$T/cancel.script"
check "cancel: the file is untouched" same "$(cmp -s "$T/prefs.set" "$e2e_prefs" && echo same || echo changed)"

# OK with "Use last folder" off stores the flag alone: the folder is kept for later.
{
    echo 'menu "Preferences…"'
    echo 'wait-dialog "Kestrix - Preferences"'
    echo "check $IDC_PREFS_LAST_FOLDER off"
    echo 'ok'
    echo 'quit'
} >"$T/ok.script"
run_host "$T/ok.script"
check "ok: LastFolder off" 0 "$(pref LastFolder)"
check "ok: FolderPath kept" 'Z:\Jobs\Spring' "$(pref FolderPath)"
check "ok: JobSlug kept" 1 "$(pref JobSlug)"

# The German dialog.
{
    echo 'menu "Voreinstellungen…"'
    echo 'wait-dialog "Kestrix - Voreinstellungen"'
    echo "expect-text $IDC_PREFS_LOGGING Protokolldatei"
    echo "expect-text $IDCANCEL Abbrechen"
    echo 'cancel'
    echo 'quit'
} >"$T/german.script"
run_host "$T/german.script" --lang de
check "German: the file is untouched by Cancel" 0 "$(pref LastFolder)"

# Values other than 0 and 1, as a hand-edited file has them: each box shows whether its setting
# is in force (JobSlug, AbortOnOverflow, LastFolder and AddAlways only for 1, Logging above 0,
# OverwriteWarning and Tracking for any other value), and OK keeps what was left untouched.
prefs LastFolder=2 Logging=2 AddAlways=2 OverwriteWarning=2 JobSlug=2 Tracking=2 AbortOnOverflow=2
{
    echo 'menu "Preferences…"'
    echo 'wait-dialog "Kestrix - Preferences"'
    expect_boxes off on off on off on off
    echo "check $IDC_PREFS_ABORT_ON_OVERFLOW on"
    echo 'ok'
    echo 'quit'
} >"$T/twos.script"
run_host "$T/twos.script"
check "hand-edited values: untouched kept, the ticked box stored as 1" "2 2 2 2 2 2 1" \
    "$(echo $(pref LastFolder) $(pref Logging) $(pref AddAlways) $(pref OverwriteWarning) \
        $(pref JobSlug) $(pref Tracking) $(pref AbortOnOverflow))"

# A file that cannot be read (UTF-16 with an odd byte; a folder in its place) is told once the
# host runs, in its language, and the script answers it; the defaults are used and the file
# is kept.
printf '\377\376[\000G\000]' >"$e2e_prefs"
cp "$e2e_prefs" "$T/prefs.odd"
{
    echo 'wait-dialog Kestrix 60'
    echo 'expect-message "Die Voreinstellungsdatei konnte nicht gelesen werden. Sie bleibt unverändert; in dieser Sitzung geänderte Einstellungen werden nicht gespeichert:"'
    echo 'answer ok'
    echo 'menu "Voreinstellungen…"'
    echo 'wait-dialog "Kestrix - Voreinstellungen"'
    expect_boxes off off on off off off off
    echo "check $IDC_PREFS_TRACKING on"
    echo 'ok'
    echo 'quit'
} >"$T/odd.script"
run_host "$T/odd.script" --lang de
check "unreadable: the file is kept" same "$(cmp -s "$T/prefs.odd" "$e2e_prefs" && echo same || echo changed)"
rm -f "$e2e_prefs"
mkdir "$e2e_prefs"
{
    echo 'wait-dialog Kestrix 60'
    echo 'expect-message "The preferences file could not be read. It is kept as it is, and settings changed in this session are not saved:"'
    echo 'answer ok'
    echo 'quit'
} >"$T/folder.script"
try_host "$T/folder.script"
rmdir "$e2e_prefs"
check "a folder in its place: told and answered" 0 "$status"

# Two hosts, one file: host B reads it, then exports, its distiller held back; meanwhile host A
# ticks Tracking and saves. B's save at the end of its run keeps A's Tracking.
prefs LastFolder=1
cat >"$T/held" <<HELD
#!/bin/sh
touch "$T/b.waiting"
while [ ! -f "$T/b.go" ]; do sleep 0.1; done
exec /usr/bin/gs "\$@"
HELD
chmod +x "$T/held"
mkdir -p "$T/out/two"
{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    export_pages "$T/out/two/Catalog" "Default PDF" "1"
    echo 'quit'
} >"$T/b.script"
timeout 180 "$e2e_root/tools/wine-run" "$e2e_host" --plugins "$(winpath "$T/plugins")" \
    --settings "$(winpath "$T/settings.json")" --resident-distiller none --distiller "$T/held" \
    --script "$(winpath "$T/b.script")" >"$T/b.out" 2>&1 </dev/null &
b_host=$!
# Waits for B's event, not for a time; the bound only keeps a broken host from hanging the test.
waited=0
while [ ! -f "$T/b.waiting" ] && [ $waited -lt 1500 ]; do
    sleep 0.1
    waited=$((waited + 1))
done
check "two hosts: B's export reached its distiller before A saved" yes \
    "$([ -f "$T/b.waiting" ] && echo yes || echo no)"
{
    echo 'menu "Preferences…"'
    echo 'wait-dialog "Kestrix - Preferences"'
    echo "check $IDC_PREFS_TRACKING on"
    echo 'ok'
    echo 'quit'
} >"$T/a.script"
run_host "$T/a.script"
touch "$T/b.go"
b_status=0
wait $b_host || b_status=$?
check "two hosts: B exported" "0 Catalog_001.pdf" "$b_status $(files "$T/out/two")"
check "two hosts: A's Tracking survives B's save" 1 "$(pref Tracking)"
check "two hosts: B's style and folder saved" "Default PDF $(winpath "$T/out/two")" \
    "$(pref OutputStyle) $(pref FolderPath)"

finish
