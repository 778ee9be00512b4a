# The overwrite question: refusing to replace the third of five files ends the run there;
# agreeing replaces the file; without the preference nothing is asked.
. "$(dirname "$0")/lib.sh"

settings
layout "$T/Catalog.lyt" 12
mkdir -p "$T/out/refuse" "$T/out/agree" "$T/out/silent"
for dir in refuse agree silent; do
    echo "old file" >"$T/out/$dir/Catalog_003.pdf"
done

prefs "OverwriteWarning=1"
{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    export_pages "$T/out/refuse/Catalog" "Default PDF" "1-5"
    echo 'wait-dialog "Kestrix"'
    echo 'expect-message "The output file already exists! Overwrite?"'
    echo "answer no"
    export_pages "$T/out/agree/Catalog" "Default PDF" "3"
    echo 'wait-dialog "Kestrix"'
    echo "answer yes"
    echo "quit"
} >"$T/ask.script"
run_host "$T/ask.script"

check "refusing file 3 of 5" "Catalog_001.pdf Catalog_002.pdf Catalog_003.pdf" \
    "$(files "$T/out/refuse")"
check "the refused file is untouched" "old file" "$(cat "$T/out/refuse/Catalog_003.pdf")"
check "files 1 and 2 were written" "PDF PDF" \
    "$(is_pdf "$T/out/refuse/Catalog_001.pdf") $(is_pdf "$T/out/refuse/Catalog_002.pdf")"
check "agreeing replaces the file" "PDF" "$(is_pdf "$T/out/agree/Catalog_003.pdf")"

prefs "OverwriteWarning=0"
{
    echo "open $(q "$(winpath "$T/Catalog.lyt")")"
    export_pages "$T/out/silent/Catalog" "Default PDF" "2-4"
    echo "quit"
} >"$T/silent.script"
run_host "$T/silent.script"
check "without the preference nothing is asked" \
    "Catalog_002.pdf Catalog_003.pdf Catalog_004.pdf" "$(files "$T/out/silent")"
check "...and the file is replaced" "PDF" "$(is_pdf "$T/out/silent/Catalog_003.pdf")"

finish
