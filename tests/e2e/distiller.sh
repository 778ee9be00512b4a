# The Ghostscript kept running between pages: its PDFs are those of a run per page, page for
# page; a page whose file cannot be put in place is reported for that page while the same
# distiller serves the next export; a distiller that dies mid-run or answers nonsense costs a
# restart or a run of its own for that page, never a page; one that hangs with a child holding
# its answers open is ended with the child at the page limit; spool folders that earlier
# sessions left behind do not keep it from starting, and the host removes its own.
. "$(dirname "$0")/lib.sh"

settings '{"name": "Bleed Spreads PDF", "type": "PDF", "data": {"XABL": {"BleedSettings": {"Symmetric": "9"}}, "XPDF": {"PageOptions": {"Spreads": "1"}}, "AYWB": {"FWiz": {}}}}'
layout "$T/Book.lyt" 7 '"spreads": [[1], [2, 3], [4, 5], [6, 7]], "items": [
{"name": "Head", "type": "text", "page": 2, "bounds": [54, 54, 90, 558], "text": "Chapter one", "fontSize": 24},
{"name": "Body", "type": "text", "page": 5, "bounds": [108, 54, 700, 558], "text": "Sturdy, light and made to last.", "fontSize": 10},
{"name": "Box", "type": "box", "page": 7, "bounds": [100, 100, 300, 300]}]'
command -v qpdf >/dev/null || { echo "$e2e_name: skipped, qpdf is not installed"; exit 0; }

# Distillers that note each start in a file of their own.
wrapper() {
    printf '#!/bin/sh\necho start >>"%s"\n%s\n' "$T/$1.starts" "$2" >"$T/$1"
    chmod +x "$T/$1"
}
wrapper counted 'exec /usr/bin/gs "$@"'
# The run of its own that a page falls back to.
wrapper single 'exec /usr/bin/gs "$@"'
# Its input ends after two pages, so Ghostscript ends in the middle of every third.
wrapper dying 'i=0; while [ $i -lt 2 ] && read -r job; do echo "$job"; i=$((i + 1)); done | /usr/bin/gs "$@"'
wrapper nonsense 'echo; echo LHready; while read -r n; do echo "LHdone x$n ok"; done'
starts() {
    if [ -f "$T/$1.starts" ]; then wc -l <"$T/$1.starts" | tr -d ' '; else echo 0; fi
}

export_all() {
    mkdir -p "$T/out/$1"
    export_pages "$T/out/$1/Book" "Bleed Spreads PDF" "1-7" "check $IDC_EXPORT_PAGE_MARGINS on"
}
# boxes DIR: every file's page count, size and boxes, and whether qpdf finds it sound.
boxes() {
    for f in "$T/out/$1"/*; do
        echo "$(basename "$f"): $(pdf_pages "$f") page(s), $(pdf_size "$f")"
        pdfinfo -box "$f" 2>/dev/null | grep -E '^(MediaBox|CropBox|BleedBox|TrimBox|ArtBox|Page rot)'
        qpdf --check "$f" >/dev/null 2>&1 && echo "sound" || echo "qpdf finds faults"
    done
}

{
    echo "open $(q "$(winpath "$T/Book.lyt")")"
    export_all once
    echo "quit"
} >"$T/once.script"
run_host "$T/once.script" --resident-distiller none
check "a run per page: the files" "Book_001.pdf Book_002.pdf Book_004.pdf Book_006.pdf" \
    "$(files "$T/out/once")"
reference=$(boxes once)
check "a run per page: a spread with bleed" "1242 x 810" "$(pdf_size "$T/out/once/Book_002.pdf")"

# The second export finds a folder where its third spread's file goes: the run stops there.
mkdir -p "$T/out/blocked/Book_004.pdf"
{
    echo "open $(q "$(winpath "$T/Book.lyt")")"
    export_all resident
    export_all blocked
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "The page could not be exported:"'
    echo "answer ok"
    export_all after
    echo "quit"
} >"$T/resident.script"
run_host "$T/resident.script" --resident-distiller "$T/counted" --distiller "$T/single"
check "resident: one distiller for three exports" 1 "$(starts counted)"
check "resident: no page needed a run of its own" 0 "$(starts single)"
check "resident: the same pages, sizes and boxes" "$reference" "$(boxes resident)"
check "resident: the blocked spread is reported, alone" \
    "output: Z:$(printf '%s' "$T/out/blocked/Book_004.pdf" | tr '/' '\\'): cannot be written" \
    "$(grep '^output:' "$T/host.txt" || true)"
check "resident: the spreads of that export before it" "Book_001.pdf Book_002.pdf Book_004.pdf" \
    "$(files "$T/out/blocked")"
check "resident: the export after it" "$reference" "$(boxes after)"

# fault NAME [HOST-ARGS...]: one export into out/NAME with the distiller NAME.
fault() {
    name=$1
    shift
    {
        echo "open $(q "$(winpath "$T/Book.lyt")")"
        export_all "$name"
        echo "quit"
    } >"$T/$name.script"
    run_host "$T/$name.script" --resident-distiller "$T/$name" --distiller "$T/single" "$@"
}
fault dying
check "a dying distiller: every page" "$reference" "$(boxes dying)"
check "a dying distiller: started again" yes "$([ "$(starts dying)" -ge 2 ] && echo yes || starts dying)"
check "a dying distiller: the page it died on ran alone" 1 "$(starts single)"
check "a dying distiller: nothing reported" "" "$(grep '^output:' "$T/host.txt" || true)"
rm -f "$T/single.starts"
fault nonsense
check "nonsense answers: every page" "$reference" "$(boxes nonsense)"
check "nonsense answers: given up after a few starts" yes \
    "$([ "$(starts nonsense)" -ge 1 ] && [ "$(starts nonsense)" -le 3 ] && echo yes || starts nonsense)"
check "nonsense answers: every page ran alone" 4 "$(starts single)"

# It says it is ready, then never answers, and a child it left running holds the answers open.
printf '#!/bin/sh\nsleep 300\n' >"$T/forever"
chmod +x "$T/forever"
wrapper stuck "\"$T/forever\" & echo; echo LHready; while read -r n; do :; done"
rm -f "$T/single.starts"
fault stuck --distiller-timeout 1
check "a hanging distiller: every page" "$reference" "$(boxes stuck)"
check "a hanging distiller: every page ran alone" 4 "$(starts single)"
check "a hanging distiller: its child ended with it" 0 "$(pgrep -f "$T/forever" | wc -l | tr -d ' ')"
check "a hanging distiller: given up, and said so" \
    "distiller: $T/stuck failed 3 times in a row: every further page is distilled by a run of its own" \
    "$(grep '^distiller:' "$T/host.txt" || true)"

# Spool folders of earlier sessions under every process id this host may get (Wine hands out
# the same ids after a restart); rmdir takes back only those that stayed empty.
temp=$(ls -d "$WINEPREFIX"/drive_c/users/*/Temp 2>/dev/null | grep -v /Public/ | head -n 1)
awk -v t="$temp" 'BEGIN { for (p = 4; p <= 4096; p += 4) for (n = 1; n <= 4; ++n)
    printf "%s/layouthost-spool-%d-%d\n", t, p, n }' | while read -r d; do
    [ -e "$d" ] || echo "$d"
done >"$T/stale"
xargs mkdir <"$T/stale"
# The distiller notes the real path of the spool folder it is given.
wrapper spooled 'for a; do last=$a; done; dirname "$last" >"'"$T"'/spool"; exec /usr/bin/gs "$@"'
rm -f "$T/single.starts"
{
    echo "open $(q "$(winpath "$T/Book.lyt")")"
    export_all spooled
    echo "quit"
} >"$T/spooled.script"
try_host "$T/spooled.script" --resident-distiller "$T/spooled" --distiller "$T/single"
xargs rmdir <"$T/stale" 2>/dev/null
check "stale spool folders: the host ran" 0 "$status"
check "stale spool folders: every page" "$reference" "$(boxes spooled)"
check "stale spool folders: one distiller served every page" "1 0" \
    "$(starts spooled) $(starts single)"
check "the spool folder is gone when the host has exited" "gone" \
    "$([ -s "$T/spool" ] && [ ! -e "$(cat "$T/spool")" ] && echo gone || cat "$T/spool")"

finish
