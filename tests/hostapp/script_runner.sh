# The script runner's failure reports and exit status: each case runs one script and checks
# the "script: line N: REASON" line on stderr and the status (0 at the end, 2 on failure).
. "$(dirname "$0")/lib.sh"

cat_lyt=$(q "$(winpath "$ha_root/samples/Catalog.lyt")")

# case SCRIPT(printf %b escapes) EXPECTED-STDERR-LINE EXPECTED-STATUS
run_case() {
    host "$(printf '%b' "$1")"
    check "script [$1]: report" "$2" "$(script_errors)"
    check "script [$1]: status" "$3" "$status"
}

run_case '' '' 0
run_case '# only a comment\n\n   \n' '' 0
run_case 'bogus' 'script: line 1: unknown command "bogus"' 2
run_case '\n\nPage 1' 'script: line 3: unknown command "Page"' 2
run_case 'page' 'script: line 1: page: takes 1 argument' 2
run_case 'print "Default PDF"' 'script: line 1: print: takes 2 to 4 arguments' 2
run_case 'close now' 'script: line 1: close: takes 0 arguments' 2
run_case 'key' 'script: line 1: key: needs at least 1 argument' 2
run_case "set $kStyleNameId \"open" 'script: line 1: unterminated quote' 2
run_case 'page 1' 'script: line 1: page: no project is open' 2
run_case "open $cat_lyt\npage 13" 'script: line 2: page: no page 13 (the layout has 12)' 2
run_case "open $cat_lyt\npage 0" 'script: line 2: page: no page 0 (the layout has 12)' 2
run_case "open $cat_lyt\nselect Nobody" 'script: line 2: select: no item "Nobody"' 2
run_case "open $cat_lyt\nlayout Other" 'script: line 2: no layout "Other" in Catalog.lyt' 2
run_case "open $cat_lyt\ndump-data document ABC" \
    'script: line 2: dump-data: "ABC" is not a four-character owner' 2
run_case "open $cat_lyt\nprint Nope out.pdf" 'script: line 2: no output style "Nope"' 2
run_case "open $cat_lyt\nprint \"Default PDF\" out.pdf 13" 'script: line 2: print: no page "13"' 2
run_case "open-untitled $cat_lyt\nsave" \
    'script: line 2: save: the project has never been saved (use save-as)' 2
run_case 'style-editor Nope' 'script: line 1: no output style "Nope"' 2
run_case 'key E ctrl hyper' 'script: line 1: key: unknown modifier "hyper"' 2
run_case 'key EF ctrl' 'script: line 1: key: "EF" is not one character' 2
run_case 'lang fr' 'script: line 1: lang: takes en, de or a number, not "fr"' 2
run_case "click $kStyleOkId" 'script: line 1: no dialog is open' 2
run_case 'click one' 'script: line 1: click: "one" is not a control id' 2
run_case "check $kStyleSpreadsId maybe" 'script: line 1: check: takes on or off, not "maybe"' 2
run_case 'answer perhaps' 'script: line 1: answer: takes yes, no or ok, not "perhaps"' 2
run_case 'expect-message "Hello"' 'script: line 1: no dialog is open' 2
run_case 'wait-dialog Nothing 0.5' 'script: line 1: no dialog "Nothing" within 0.5 seconds' 2
run_case 'wait-dialog Nothing soon' 'script: line 1: wait-dialog: "soon" is not a number of seconds' 2
# Lines after quit are not run.
run_case 'quit\npage 99' '' 0
# A failed check while a dialog is up ends the host at once, with the dialog still open.
run_case "style-editor \"Default PDF\"\nexpect-text $kStyleNameId Wrong" \
    "script: line 2: expect-text: control $kStyleNameId: expected \"Wrong\", found \"Default PDF\"" 2
run_case "style-editor \"Default PDF\"\nexpect-checked $kStyleSpreadsId on" \
    "script: line 2: expect-checked: control $kStyleSpreadsId: expected on, found off" 2
run_case "style-editor \"Default PDF\"\nexpect-enabled $kStyleSpreadsId off" \
    "script: line 2: expect-enabled: control $kStyleSpreadsId: expected off, found on" 2

# The front project's changed mark.
run_case "open $cat_lyt\nexpect-changed no" '' 0
run_case "open $cat_lyt\nexpect-changed yes" \
    'script: line 2: expect-changed: Catalog.lyt: expected yes, found no' 2
run_case "open $cat_lyt\nexpect-changed maybe" \
    'script: line 2: expect-changed: takes yes or no, not "maybe"' 2
run_case 'expect-changed no' 'script: line 1: expect-changed: no project is open' 2

# A dialog that stands still, waiting for script lines that never come, fails once the limit
# has passed; the limit is cut so that the cases run quickly.
# limit_case SCRIPT(printf %b escapes) EXPECTED-STDERR-LINE
limit_case() {
    host "$(printf '%b' "$1")" --dialog-timeout 2
    check "script [$1] with a limit of 2 s: report" "$2" "$(script_errors)"
    check "script [$1] with a limit of 2 s: status" 2 "$status"
}
limit_case 'style-editor "Default PDF"' \
    'script: line 1: the command did not finish: dialog "Edit Output Style" waited 2 seconds with no script line to drive it'
no_such_control=999
limit_case "style-editor \"Default PDF\"\nclick $no_such_control" \
    "script: line 2: no control $no_such_control in dialog \"Edit Output Style\""
limit_case 'style-editor "Default PDF"\nanswer yes' \
    'script: line 2: no message box in dialog "Edit Output Style"'
for value in 0 -3 soon; do
    host 'quit' --dialog-timeout "$value"
    check "--dialog-timeout $value: status" 1 "$status"
    check "--dialog-timeout $value: report" \
        "layouthost: --dialog-timeout takes a number of seconds above 0, not \"$value\"" \
        "$(head -n 1 "$T/err")"
done

# A missing project is refused with a message naming the file.
host "open $(q "$(winpath "$T/missing.lyt")")"
check "missing project: status" 2 "$status"
case "$(script_errors)" in
"script: line 1: "*missing.lyt*) ok=yes ;;
*) ok="no: $(script_errors)" ;;
esac
check "missing project: the report names the file" yes "$ok"

# The whole script is checked before anything runs: a bad last line keeps the first lines
# from writing anything.
host "open $cat_lyt
save-as $(q "$(winpath "$T/early.lyt")")
bogus"
check "broken script: status" 2 "$status"
check "broken script: nothing was written" no "$([ -e "$T/early.lyt" ] && echo yes || echo no)"

# Host commands finish in order before the script ends: the saved file is there after exit.
host "open $cat_lyt
page 4
save-as $(q "$(winpath "$T/saved.lyt")")
close
open $(q "$(winpath "$T/saved.lyt")")
page 12
quit"
check "save-as and reopen: status" 0 "$status"
check "save-as and reopen: report" "" "$(script_errors)"
check "save-as: the project file" "layouthost-project/1 12" \
    "$(jq -r '.format + " " + (.layouts[0].pageCount|tostring)' "$T/saved.lyt" 2>&1)"

finish
