# The plug-in's submenu, its enabling, the context-menu item, the keyboard shortcut and About,
# driven through the host's own menus and keys.
. "$(dirname "$0")/lib.sh"

settings
layout "$T/Boxes.lyt" 3 '"items": [{"name": "Logo", "type": "box", "page": 1, "bounds": [72, 72, 144, 144]}]'
prefs

# menu_states STATE...: the expected dump-menu lines, with the enabling of the seven commands.
menu_states() {
    printf 'Export pages…\t%s\nExport page area…\t%s\n-\nShow Tracking…\t%s\n' "$1" "$2" "$3"
    printf 'Copy Tracking\t%s\nDelete Tracking…\t%s\n-\nPreferences…\tenabled\nAbout…\tenabled\n' \
        "$3" "$3"
}

cat >"$T/menu.script" <<SCRIPT
dump-menu
open $(q "$(winpath "$T/Boxes.lyt")")
dump-menu
context
select Logo
dump-menu
context
select none
key E ctrl shift alt
wait-dialog "Save As"
cancel
key E ctrl rshift alt
wait-dialog "Save As"
cancel
key E ctrl shift rshift alt
wait-dialog "Save As"
cancel
context "Export pages…"
wait-dialog "Save As"
cancel
menu "About…"
wait-dialog "Kestrix"
expect-message "Kestrix 7.03"
answer ok
quit
SCRIPT
run_host "$T/menu.script"

# The three dumps of the menu and the two of the context menu, in order.
grep -v -e '^Export pages…$' -e '^Export page area…$' "$T/host.txt" |
    grep -e 'enabled' -e 'disabled' -e '^-$' >"$T/menus.txt" || true
check "no layout: only Preferences and About" "$(menu_states disabled disabled disabled)" \
    "$(sed -n 1,9p "$T/menus.txt")"
check "a layout, nothing selected" "$(menu_states enabled disabled enabled)" \
    "$(sed -n 10,18p "$T/menus.txt")"
check "a box selected" "$(menu_states enabled enabled enabled)" "$(sed -n 19,27p "$T/menus.txt")"
check "context menu items, without and with a selected box" \
    "$(printf 'Export pages…\nExport page area…')" \
    "$(grep -e '^Export pages…$' -e '^Export page area…$' "$T/host.txt")"

# E with only some of the three modifiers leaves the key to the host: no dialog opens, so the
# script goes on. A dialog opened by mistake would stop the script at the next command.
cat >"$T/keys.script" <<SCRIPT
open $(q "$(winpath "$T/Boxes.lyt")")
key E ctrl shift
key E ctrl alt
key E shift alt
key E alt
key D ctrl shift alt
dump-menu
quit
SCRIPT
run_host "$T/keys.script"
check "partial shortcuts open nothing" "$(menu_states enabled disabled enabled)" \
    "$(grep -e 'enabled' -e 'disabled' -e '^-$' "$T/host.txt")"

# German titles come from the German table; a later change of language leaves the built
# menu as it is.
cat >"$T/german.script" <<SCRIPT
dump-menu
lang en
dump-menu
quit
SCRIPT
run_host "$T/german.script" --lang de
german="Seiten exportieren… Bereich exportieren… - Tracking anzeigen… Tracking kopieren Tracking löschen… - Voreinstellungen… Über…"
check "German titles, before and after switching to English" "$german $german" \
    "$(grep -e 'abled$' -e '^-$' "$T/host.txt" | cut -f 1 | tr '\n' ' ' | sed 's/ $//')"

finish
