# The preferences dialog from the plug-in menu: what a fresh installation shows, Logfile taking
# effect in the same session, Cancel storing nothing (on disk or in memory), OK keeping the
# folder path, and the German dialog.
. "$(dirname "$0")/lib.sh"

settings
layout "$T/Catalog.lyt" 3
mkdir -p "$T/out/log"
e2e_log="$(dirname "$(dirname "$e2e_user_dir")")/Documents/Quendrel/Kestrix.txt"

# expect_boxes STATE...: script lines checking boxes 3 to 9 of the dialog.
expect_boxes() {
    id=3
    for state in "$@"; do
        echo "expect-checked $id $state"
        id=$((id + 1))
    done
}

# A fresh installation: no preferences file at all. Logfile switched on with OK logs the very
# next export, without a restart of the host.
rm -f "$e2e_prefs"
{
    echo 'menu "Preferences…"'
    echo 'wait-dialog "Kestrix - Preferences"'
    expect_boxes off off on off off off off
    echo 'check 4 on'
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
    echo 'check 3 off'
    echo 'check 4 on'
    echo 'check 9 on'
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
    echo 'check 3 off'
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
    echo 'expect-text 4 Protokolldatei'
    echo 'expect-text 2 Abbrechen'
    echo 'cancel'
    echo 'quit'
} >"$T/german.script"
run_host "$T/german.script" --lang de
check "German: the file is untouched by Cancel" 0 "$(pref LastFolder)"

finish
