# The remembered output style: the first run ever, the preference and the layout's own name
# after a run, the name saved with the project, the change mark when the same style is chosen
# again, a deleted style, and the "-" entry.
. "$(dirname "$0")/lib.sh"

settings '{"name": "Proof", "type": "Print"}' \
    '{"name": "Second PDF", "type": "PDF", "data": {"AYWB": {"FWiz": {}}}}'
layout "$T/Catalog.lyt" 12
mkdir -p "$T/out/first" "$T/out/gone"

# layout_style PROJECT: the style name the project file keeps for its layout.
layout_style() {
    tr -d '\n' <"$1" | sed -n 's/.*"layouts".*"AYWB" *: *"\([^"]*\)".*/\1/p' | base64 -d 2>/dev/null |
        tr -d '\000'
}

# First run ever: nothing remembered, so the list offers its first entry.
prefs
{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "expect-text $IDC_EXPORT_STYLE \"Default EPS\""
    echo "choose $IDC_EXPORT_STYLE \"-\""
    echo "expect-text $IDC_EXPORT_STYLE \"Default EPS\""
    echo "choose $IDC_EXPORT_STYLE \"Second PDF\""
    echo "file-name $(q "$(winpath "$T/out/first/Catalog")")"
    echo "set $IDC_EXPORT_RANGE \"1\""
    echo "ok"
    echo "dump-data layout AYWB"
    echo "save-as $(q "$(winpath "$T/Saved.lyt")")"
    echo "quit"
} >"$T/first.script"
run_host "$T/first.script"
check "first run exports with the chosen style" "Catalog_001.pdf" "$(files "$T/out/first")"
check "preference after the run" "Second PDF" "$(pref OutputStyle)"
# The block is 64 bytes: the name and its padding of zero bytes.
check "the layout's own name" "Second PDF" "$(tr -d '\000' <"$T/host.txt" | grep -v '^$' | tail -n 1)"
check "the name saved with the project" "Second PDF" "$(layout_style "$T/Saved.lyt")"

# Without the preference the layout's name is the one offered.
prefs
{
    echo "open $(q "$(winpath "$T/Saved.lyt")")"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "expect-text $IDC_EXPORT_STYLE \"Second PDF\""
    echo "cancel"
    echo "quit"
} >"$T/layoutname.script"
run_host "$T/layoutname.script"
check "cancel stores nothing" "" "$(pref OutputStyle)"

# The change mark: exporting with the style the layout already keeps stores nothing and leaves
# the saved project unchanged; another style is stored in the layout and marks it changed.
mkdir -p "$T/out/mark"
prefs
case_no=0
while IFS='|' read -r style mark; do
    case_no=$((case_no + 1))
    cp "$T/Saved.lyt" "$T/mark$case_no.lyt"
    mkdir -p "$T/out/mark/$case_no"
    {
        echo "open $(q "$(winpath "$T/mark$case_no.lyt")")"
        echo "save"
        echo "expect-changed no"
        export_pages "$T/out/mark/$case_no/Catalog" "$style" "1"
        echo "expect-changed $mark"
        echo "quit"
    } >"$T/mark$case_no.script"
    try_host "$T/mark$case_no.script"
    check "change mark after exporting with \"$style\": report" "" \
        "$(grep '^script:' "$T/host.txt" || true)"
    check "change mark after exporting with \"$style\": status" 0 "$status"
    check "...the file is written" "Catalog_001.pdf" "$(files "$T/out/mark/$case_no")"
done <<CASES
Second PDF|no
Default PDF|yes
CASES

# A remembered style that no longer exists falls back to the first entry, which then is used.
prefs "OutputStyle=Deleted Style"
{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    echo 'menu "Export pages…"'
    echo 'wait-dialog "Save As"'
    echo "expect-text $IDC_EXPORT_STYLE \"Default EPS\""
    echo "file-name $(q "$(winpath "$T/out/gone/Catalog")")"
    echo "set $IDC_EXPORT_RANGE \"2\""
    echo "ok"
    echo "quit"
} >"$T/gone.script"
run_host "$T/gone.script"
check "a deleted style exports with the first entry" "Catalog_002.eps" "$(files "$T/out/gone")"
check "...and is remembered instead" "Default EPS" "$(pref OutputStyle)"

finish
