# The release package of `make dist`: two builds from the same DLL give the same zip; the DLL
# inside passes tools/check-dll; the version read from its resource bytes names the zip, agrees
# with the resource's numbers, and is the version the loaded plug-in shows in About.
. "$(dirname "$0")/lib.sh"

zip1=$("$e2e_root/tools/make-dist" "$e2e_build" "$T/dist1")
zip2=$("$e2e_root/tools/make-dist" "$e2e_build" "$T/dist2")
check "two builds give the same zip" "same" "$(cmp -s "$zip1" "$zip2" && echo same || echo differ)"

entries=$(unzip -Z1 "$zip1" | tr '\n' ' ' | sed 's/ $//')
check "entries in sorted order" "$(unzip -Z1 "$zip1" | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')" \
    "$entries"
for name in Kestrix.dll SHA256SUMS docs/user-guide.md docs/export_en.png; do
    check "the package holds $name" "yes" "$(unzip -Z1 "$zip1" | grep -qx "$name" && echo yes)"
done
check "fixed time and permissions" "" \
    "$(unzip -Z -l "$zip1" | grep -e '^-' | grep -v -e '^-rw-r--r-- .* 80-Jan-01 00:00 ' || true)"

mkdir -p "$T/unpacked"
(cd "$T/unpacked" && unzip -q "$zip1")
check "SHA256SUMS covers every other entry" \
    "$(unzip -Z1 "$zip1" | grep -vx SHA256SUMS | tr '\n' ' ')" \
    "$(sed 's/^[0-9a-f]*  //' "$T/unpacked/SHA256SUMS" | tr '\n' ' ')"
check "the checksums hold" "ok" \
    "$(cd "$T/unpacked" && sha256sum --quiet -c SHA256SUMS >/dev/null 2>&1 && echo ok)"
check "the packaged DLL passes check-dll" "ok" \
    "$("$e2e_root/tools/check-dll" "$T/unpacked/Kestrix.dll" >/dev/null 2>&1 && echo ok)"

# The version resource read from the DLL's bytes: its fixed numbers (major.minor.0.0) and its
# ProductVersion text, printed as "TEXT MAJOR.MINOR.BUILD.PATCH".
resource=$(python3 - "$T/unpacked/Kestrix.dll" <<'PYTHON'
import struct
import sys

data = open(sys.argv[1], "rb").read()
start = data.find("VS_VERSION_INFO\0".encode("utf-16-le")) - 6
fixed = data.find(b"\xbd\x04\xef\xfe", start)
ms, ls = struct.unpack_from("<II", data, fixed + 8)
key = "ProductVersion\0".encode("utf-16-le")
at = data.find(key, start)
words = struct.unpack_from("<H", data, at - 4)[0]  # the value's length in UTF-16 units
value = at + len(key)
value += (start - value) % 4  # values start on a 32-bit boundary of the block
text = data[value : value + 2 * words].decode("utf-16-le").rstrip("\0")
print(text, "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF))
PYTHON
)
text=${resource% *}
numbers=${resource#* }
check "the resource's text is its numbers, minor in two digits" \
    "$(echo "$numbers" | awk -F. '{ printf "%d.%02d.0.0", $1, $2 }')" "$text.0.0"
check "the zip is named by the resource's version" "Kestrix-$text-win64.zip" "$(basename "$zip1")"

# The host loads the packaged DLL, and About shows the same version.
cp "$T/unpacked/Kestrix.dll" "$T/plugins/Kestrix.dll"
settings
prefs
cat >"$T/about.script" <<SCRIPT
menu "About…"
wait-dialog "Kestrix"
expect-message "Kestrix $text"
answer ok
quit
SCRIPT
run_host "$T/about.script"

finish
