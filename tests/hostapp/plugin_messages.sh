# What the host sends its plug-ins, seen through the probe plug-in's message log: start-up,
# menus and commands, context menu, keys, documents, the style editor's panes and output.
. "$(dirname "$0")/lib.sh"

probe=${3:?probe plug-in}
cp "$probe" "$T/plugins/"
KX_PROBE_LOG=$(winpath "$T/probe.log")
export KX_PROBE_LOG
cat_lyt=$(q "$(winpath "$ha_root/samples/Catalog.lyt")")

# messages [EXTRA-FILTER]: the log without the frequent 10 and 12 lines, on one line.
messages() {
    grep -v -x -e 10 -e 12 "$T/probe.log" | tr -d '\r' | tr '\n' ',' | sed 's/,$//'
}
# after LINE: the line that follows the first LINE in the full log.
after() {
    tr -d '\r' <"$T/probe.log" | awk -v l="$1" 'found { print; exit } $0 == l { found = 1 }'
}
# before LINE: the line in front of the first LINE in the full log, ignoring 10.
before() {
    tr -d '\r' <"$T/probe.log" | grep -v -x 10 | awk -v l="$1" '$0 == l { print prev; exit } { prev = $0 }'
}

rm -f "$T/probe.log"
host "dump-menu
open $cat_lyt
dump-menu
menu Beta
dump-clipboard
context
context \"Probe Context\"
key P ctrl
key e shift rshift alt
save-as $(q "$(winpath "$T/saved.lyt")")
lang de
quit"
check "session: status" 0 "$status"
check "session: report" "" "$(script_errors)"
check "session: menus, clipboard and context menu" \
    "$(printf 'Alpha\tenabled\n-\nBeta\tdisabled\nAlpha\tenabled\n-\nBeta\tenabled\nProbe: Grüße\nProbe Context')" \
    "$(cat "$T/out")"
check "session: messages in order" \
    "5 0,6,7,975,7,7,618 Beta,318,318,618 Alpha,956 kind=7 P ctrl=1 shift=0 rshift=0 alt=0,956 kind=7 E ctrl=0 shift=1 rshift=1 alt=1,607 1 0,5 3" \
    "$(messages)"
check "a command is preceded by 12" 12 "$(before "618 Beta")"
check "a context command is preceded by 12" 12 "$(before "618 Alpha")"
check "an event is followed by 10" 10 "$(after "618 Beta")"

# Commands of a disabled or missing item are refused.
host "menu Beta"
check "disabled item: report" 'script: line 1: menu item "Beta" is disabled' "$(script_errors)"
host "menu Gamma"
check "missing item: report" 'script: line 1: no menu item "Gamma"' "$(script_errors)"
host "context Gamma"
check "missing context item: report" 'script: line 1: no context menu item "Gamma"' \
    "$(script_errors)"

# The language comes from the command line.
rm -f "$T/probe.log"
host "quit" --lang 19
check "--lang 19: the language message" "5 19,6" "$(messages)"

# Message 12 comes every 2 seconds while the host waits: here 4.5 seconds with no command,
# room for two of them, so that a busy machine still sees one.
rm -f "$T/probe.log"
host "wait-dialog Nothing 4.5"
check "idle host: the wait fails" 2 "$status"
check "idle host: the timer sent 12" yes \
    "$(grep -c -x 12 "$T/probe.log" | awk '{ print ($1 >= 1) ? "yes" : "no: " $1 " times" }')"

# The style editor hosts the probe's pane: declared, defined, filled, checked and saved on OK,
# closed.
rm -f "$T/probe.log"
host - <<SCRIPT
style-editor "Default PDF"
expect-text $IDC_PROBE_LABEL "Probe note:"
expect-text $IDC_PROBE_NOTE ""
expect-checked $IDC_PROBE_FLAG on
expect-text $IDC_PROBE_CHOICE one
set $IDC_PROBE_NOTE "hello there"
choose $IDC_PROBE_CHOICE two
check $IDC_PROBE_FLAG off
ok
style-editor "Default PDF"
expect-text $IDC_PROBE_NOTE "hello there"
set $IDC_PROBE_NOTE "not kept"
cancel
style-editor "Default EPS"
wait-dialog "Edit Output Style"
cancel
quit
SCRIPT
check "pane: status" 0 "$status"
check "pane: report" "" "$(script_errors)"
check "pane: messages" \
    "5 0,6,728,pane 1,pane 2,pane 3,pane 6,pane 4,pane 5,728,pane 1,pane 2,pane 3,pane 5,728" \
    "$(messages)"
check "pane: the plug-in's data in the style" "hello there 1 0" \
    "$(jq -r '.outputStyles[] | select(.name == "Default PDF") | .data.PROB | "\(.Note) \(.Choice) \(.Flag)"' "$T/settings.json" 2>&1)"

# Output hooks of the host's own print, in order, for each page of the range.
rm -f "$T/probe.log"
host "open $cat_lyt
print \"Default PDF\" $(q "$(winpath "$T/two.pdf")") 2 3"
check "print: status" 0 "$status"
check "print: hooks before the pages" "5 0,6,975,681,93,282,145" "$(messages | cut -d, -f1-7)"
check "print: page hooks of both pages" "151 2,155 2,151 3,155 3" \
    "$(messages | tr ',' '\n' | grep '^15' | tr '\n' ',' | sed 's/,$//')"
check "print: pages" 2 "$(pdfinfo "$T/two.pdf" 2>&1 | sed -n 's/^Pages: *//p')"

# Where the page hooks write: boxes (151) after the page set-up and before the items, marks
# (155) after the items and before showpage.
rm -f "$T/probe.log"
host "open $cat_lyt
print \"Default EPS\" $(q "$(winpath "$T/places.eps")") 2"
check "page hook places: status" 0 "$status"
check "page hook places in the EPS" \
    "%%EndPageSetup,% probe 151 2,gsave,grestore,% probe 155 2,showpage" \
    "$(tr -d '\r' <"$T/places.eps" |
        grep -a -E '^(%%EndPageSetup|% probe|gsave .* rectclip$|grestore$|showpage$)' |
        sed 's/^gsave .*/gsave/' | tr '\n' ',' | sed 's/,$//')"

# An output the start hook aborts writes nothing and fails the command.
rm -f "$T/probe.log"
KX_PROBE_ABORT=1
export KX_PROBE_ABORT
host "open $cat_lyt
print \"Default PDF\" $(q "$(winpath "$T/aborted.pdf")")"
unset KX_PROBE_ABORT
check "aborted print: status" 2 "$status"
case "$(script_errors)" in
"script: line 2: output failed (1)"*) ok=yes ;;
*) ok="no: $(script_errors)" ;;
esac
check "aborted print: report" yes "$ok"
check "aborted print: no file" no "$([ -e "$T/aborted.pdf" ] && echo yes || echo no)"
check "aborted print: no announcement" "5 0,6,975,681,93" "$(messages)"

finish
