#include "foundation/prefs.h"

#include "foundation/files.h"
#include "foundation/localize.h"
#include "foundation/log.h"
#include "foundation/paths.h"
#include "foundation/utf8.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <string_view>
#include <vector>

static const size_t kReserve = 8192;
static const size_t kWriteMargin = 512;
static const char CR = '\r';

static PrefsMessageHook gHook = nullptr;
static void* gHookOwner = nullptr;

void setPrefsMessageHook(PrefsMessageHook hook, void* owner) {
    gHook = hook;
    gHookOwner = owner;
}

static void reportMessage(const char* key, const char* detail) {
    logLine("%s: %s", key, detail);
    if (gHook) gHook(key, detail, gHookOwner);
}

CMyPrefs::~CMyPrefs() {
    clear();
}

void CMyPrefs::clear() {
    free(text_);
    text_ = nullptr;
    length_ = 0;
    capacity_ = 0;
}

// A text of length bytes in a zero-filled buffer with the reserve behind it.
static char* reserveBuffer(size_t length, uint64_t& capacity) {
    capacity = length + kReserve;
    return static_cast<char*>(calloc(capacity, 1));
}

// UTF-16 file bytes (after their mark) as UTF-8; false for an odd byte count or an unpaired
// surrogate, which no editor writes and which could not be saved back unchanged.
static bool utf16ToUtf8(const unsigned char* bytes, size_t size, bool bigEndian, std::string& out) {
    if (size % 2) return false;
    WideText wide;
    wide.reserve(size / 2);
    for (size_t i = 0; i < size; i += 2)
        wide += static_cast<WideChar>(bigEndian ? bytes[i] << 8 | bytes[i + 1]
                                                : bytes[i + 1] << 8 | bytes[i]);
    for (size_t i = 0; i < wide.size(); ++i) {
        bool high = wide[i] >= 0xD800 && wide[i] <= 0xDBFF;
        bool low = wide[i] >= 0xDC00 && wide[i] <= 0xDFFF;
        if (low) return false;
        if (high && (i + 1 == wide.size() || wide[i + 1] < 0xDC00 || wide[i + 1] > 0xDFFF))
            return false;
        if (high) ++i;
    }
    out = utf8Encode(wide.data(), wide.size());
    return true;
}

static bool startsWithUtf16Mark(const char* bytes, size_t size) {
    const unsigned char* at = reinterpret_cast<const unsigned char*>(bytes);
    return size >= 2 && ((at[0] == 0xFF && at[1] == 0xFE) || (at[0] == 0xFE && at[1] == 0xFF));
}

StoreResult CMyPrefs::loadBytes(const char* bytes, size_t size) {
    clear();
    changes_.clear();
    // Editors mark UTF-8 and UTF-16 files with a byte-order mark; the memory form is always
    // UTF-8 without one, or the mark would stand between the line start and the first "[".
    const unsigned char* raw = reinterpret_cast<const unsigned char*>(bytes);
    std::string decoded;
    if (startsWithUtf16Mark(bytes, size)) {
        if (!utf16ToUtf8(raw + 2, size - 2, raw[0] == 0xFE, decoded))
            return StoreResult::Unreadable;
        bytes = decoded.data();
        size = decoded.size();
    }
    static const char kMark[] = "\xEF\xBB\xBF";
    text_ = reserveBuffer(size, capacity_);
    if (!text_) return StoreResult::NoMemory;
    // Marks and blank lines in front all go: a mark may follow one that an editor added. The
    // bytes of a UTF-16 mark behind a blank line go too: they are no UTF-8, and the saved file
    // would begin with them and read as UTF-16.
    for (;;) {
        if (size && (*bytes == CR || *bytes == '\n'))
            ++bytes, --size;
        else if (size >= 3 && memcmp(bytes, kMark, 3) == 0)
            bytes += 3, size -= 3;
        else if (startsWithUtf16Mark(bytes, size))
            bytes += 2, size -= 2;
        else
            break;
    }
    text_[0] = CR;
    if (size) memcpy(text_ + 1, bytes, size);
    // Every run of CR and LF becomes one CR, so blank lines vanish and any line-end style reads.
    size_t out = 0;
    for (size_t in = 0; in < size + 1; ++in) {
        char c = text_[in];
        if (c == CR || c == '\n') {
            if (out > 0 && text_[out - 1] == CR) continue;
            c = CR;
        }
        text_[out++] = c;
    }
    if (text_[out - 1] != CR) text_[out++] = CR;
    memset(text_ + out, 0, capacity_ - out);
    length_ = out;
    return StoreResult::Ok;
}

StoreResult CMyPrefs::readFile() {
    clear();
    FILE* file = !path_.empty() ? openStream(path_.c_str(), "rb") : nullptr;
    if (file) {
        std::string bytes;
        char block[8192];
        size_t count;
        while ((count = fread(block, 1, sizeof block, file)) > 0)
            bytes.append(block, count);
        bool readOk = !ferror(file);
        fclose(file);
        return readOk ? loadBytes(bytes.data(), bytes.size()) : StoreResult::Unreadable;
    }
    if (!path_.empty() && fileExists(path_.c_str()))
        return StoreResult::Unreadable; // locked by another program, or a folder in the way
    if (char* defaults = loadResourceText("Prefs", "ini", interfaceLanguage())) {
        size_t length = strlen(defaults);
        text_ = reserveBuffer(length, capacity_);
        if (text_) {
            memcpy(text_, defaults, length);
            length_ = length;
        }
        free(defaults);
        return text_ ? StoreResult::Ok : StoreResult::NoMemory;
    }
    text_ = reserveBuffer(0, capacity_);
    return text_ ? StoreResult::Ok : StoreResult::NoMemory;
}

StoreResult CMyPrefs::load(const char* path) {
    clear();
    changes_.clear();
    unreadable_ = false;
    path_ = path ? path : "";
    if (!path_.empty() && !endsWith(path_.c_str(), ".ini")) {
        std::vector<char> named(path_.size() + 8, 0);
        memcpy(named.data(), path_.data(), path_.size());
        path_ = replaceExtension(named.data(), named.size(), ".ini") ? named.data() : "";
    }
    StoreResult result = readFile();
    if (result == StoreResult::Unreadable) {
        // The settings start from their defaults, and the user's file stays as it is: a save
        // would replace it with only the keys changed in this session.
        unreadable_ = true;
        clear();
        text_ = reserveBuffer(0, capacity_);
        result = text_ ? StoreResult::Ok : StoreResult::NoMemory;
        reportMessage("readPrefsErr", path_.c_str());
    }
    time_ = modificationTime(path_.c_str());
    return result;
}

namespace {
struct Entry {
    size_t sectionStart; // the "[" of the header
    size_t sectionEnd;   // the "[" of the next header, or the end of the text
    size_t lineStart;    // the key's first byte, or npos when the key is missing
    size_t valueStart;
    size_t valueEnd; // the CR behind the value, or the end of the text
};
} // namespace

static bool findEntry(std::string_view text, const char* section, const char* key, Entry& entry) {
    std::string header = std::string("\r[") + section + "]";
    size_t at = text.find(header);
    if (at == std::string_view::npos) return false;
    entry.sectionStart = at + 1;
    size_t next = text.find("\r[", entry.sectionStart);
    entry.sectionEnd = next == std::string_view::npos ? text.size() : next + 1;
    entry.lineStart = std::string_view::npos;
    std::string needle = std::string("\r") + key + "=";
    size_t match = text.find(needle, entry.sectionStart);
    if (match != std::string_view::npos && match < entry.sectionEnd) {
        entry.lineStart = match + 1;
        entry.valueStart = match + needle.size();
        size_t end = text.find(CR, entry.valueStart);
        entry.valueEnd = end == std::string_view::npos ? text.size() : end;
    }
    return true;
}

int32_t CMyPrefs::getString(const char* section, const char* key, char* dest, size_t size) const {
    if (dest && size) dest[0] = 0;
    Entry entry;
    if (!text_ || !section || !key || !findEntry({text_, length_}, section, key, entry) ||
        entry.lineStart == std::string_view::npos)
        return kPrefsMissing;
    size_t length = entry.valueEnd - entry.valueStart;
    // A value cut to the buffer would be a different value (a shorter path); refuse it whole.
    if (!dest || length + 1 > size || length > INT32_MAX) return kPrefsMissing;
    memcpy(dest, text_ + entry.valueStart, length);
    dest[length] = 0;
    return static_cast<int32_t>(length);
}

int32_t CMyPrefs::getInt(const char* section, const char* key, int32_t defaultValue) const {
    char value[256];
    if (getString(section, key, value, sizeof value) < 1) return defaultValue;
    const char* p = value;
    while (*p == ' ' || *p == '\t' || *p == '\v' || *p == '\f')
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    int64_t number = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (number <= INT32_MAX) number = number * 10 + (*p - '0');
    if (negative) number = -number;
    if (number > INT32_MAX) return INT32_MAX;
    if (number < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(number);
}

bool CMyPrefs::makeRoom(size_t extra) {
    size_t wanted = length_ + (extra + 1 > kWriteMargin ? extra + 1 : kWriteMargin);
    if (capacity_ >= wanted) return true;
    size_t grown = capacity_ + kReserve;
    if (grown < wanted) grown = wanted + kReserve;
    // On failure the old text stays, so a refused write loses nothing.
    char* bigger = static_cast<char*>(realloc(text_, grown));
    if (!bigger) return false;
    memset(bigger + capacity_, 0, grown - capacity_);
    text_ = bigger;
    capacity_ = grown;
    return true;
}

void CMyPrefs::insertAt(size_t at, const char* bytes, size_t count) {
    memmove(text_ + at + count, text_ + at, length_ - at + 1);
    memcpy(text_ + at, bytes, count);
    length_ += count;
}

void CMyPrefs::removeRange(size_t from, size_t to) {
    memmove(text_ + from, text_ + to, length_ - to + 1);
    memset(text_ + length_ - (to - from), 0, to - from);
    length_ -= to - from;
}

// Bytes that would split or fake a line: such a write could plant other keys or sections.
static bool breaksLine(const char* text, const char* forbidden) {
    return strpbrk(text, "\r\n") || (forbidden && strpbrk(text, forbidden));
}

StoreResult CMyPrefs::setString(const char* section, const char* key, const char* value) {
    if (!text_ || !section || !key || !value || breaksLine(section, "]") || breaksLine(key, "=") ||
        key[0] == '[' || breaksLine(value, nullptr))
        return StoreResult::Refused;
    std::string line = std::string(key) + "=" + value + "\r";
    Entry entry;
    bool found = findEntry({text_, length_}, section, key, entry);
    std::string addition = found ? line : std::string("\r[") + section + "]\r" + line;
    if (addition.size() > kPrefsMaxLine || !makeRoom(addition.size() + 1))
        return StoreResult::Refused;
    changes_.push_back({section, key, value});
    if (!found) {
        insertAt(length_, addition.data(), addition.size());
        return StoreResult::Ok;
    }
    if (entry.lineStart != std::string_view::npos)
        removeRange(entry.lineStart,
                    entry.valueEnd < length_ ? entry.valueEnd + 1 : entry.valueEnd);
    const char* headerEnd = static_cast<const char*>(
        memchr(text_ + entry.sectionStart, CR, length_ - entry.sectionStart));
    if (headerEnd)
        insertAt(static_cast<size_t>(headerEnd - text_) + 1, line.data(), line.size());
    else
        insertAt(length_, ("\r" + line).data(), line.size() + 1);
    return StoreResult::Ok;
}

StoreResult CMyPrefs::setInt(const char* section, const char* key, int32_t value) {
    char text[16];
    snprintf(text, sizeof text, "%d", static_cast<int>(value));
    return setString(section, key, text);
}

std::string CMyPrefs::fileForm() const {
    std::string out;
    if (!text_) return out;
    out.reserve(length_ * 2 + 2);
    size_t i = 0;
    while (i < length_ && text_[i] == CR)
        ++i;
    while (i < length_) {
        char c = text_[i++];
        if (c != CR) {
            out += c;
            continue;
        }
        out += "\r\n";
        if (i < length_) {
            // The byte behind a line end is copied as it is; a header gets a blank line first.
            char next = text_[i++];
            if (next == '[') out += "\r\n";
            out += next;
        }
    }
    return out;
}

bool CMyPrefs::writeFile(const std::string& bytes) const {
    // A read-only file is the user's choice; replacing it by rename would override that.
    if (isReadOnlyFile(path_.c_str())) return false;
    std::string temporary = path_ + ".tmp";
    FILE* file = openStream(temporary.c_str(), "wb");
    if (!file) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = flushStreamToDisk(file) && ok;
    ok = fclose(file) == 0 && ok;
    // The old file is replaced only by a complete new one, never truncated first.
    ok = ok && replaceFileAtomically(temporary.c_str(), path_.c_str());
    if (!ok) deleteFile(temporary.c_str());
    return ok;
}

void CMyPrefs::save() {
    // Without a text (no memory at load) there is nothing to save: an empty file would erase
    // the user's settings.
    if (!text_) return;
    if (unreadable_ && fileExists(path_.c_str())) {
        logLine("savePrefs: %s was not read, so it is kept", path_.c_str());
        return;
    }
    bool ok = false;
    try {
        // Another host may have saved since this one read the file: its settings are taken as
        // the file holds them now, and only what this session wrote goes over them, in the
        // order it was written, so the text is what this session's own would have been. A
        // file that cannot be read now (another program holds it) is not written over.
        CMyPrefs current;
        current.path_ = path_;
        if (!path_.empty() && current.readFile() == StoreResult::Ok) {
            for (const Change& change : changes_)
                current.setString(change.section.c_str(), change.key.c_str(), change.value.c_str());
            ok = writeFile(current.fileForm());
        }
        if (ok) {
            // The memory text becomes what was written, the other host's settings included.
            std::swap(text_, current.text_);
            std::swap(length_, current.length_);
            std::swap(capacity_, current.capacity_);
            changes_.clear();
            unreadable_ = false;
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    if (!ok) reportMessage("writePrefsErr", path_.c_str());
    time_ = modificationTime(path_.c_str());
}

bool CMyPrefs::changed() const {
    return !path_.empty() && modificationTime(path_.c_str()) > time_;
}

StoreResult CMyPrefs::reload() {
    logLine("reloadPrefs");
    std::string path = path_;
    return load(path.c_str());
}

CMyPrefs& thePrefs() {
    static CMyPrefs store;
    return store;
}

void openPrefsIn(const char* baseFolder, const char* oldPath) {
    char folder[512] = {};
    char path[512] = {};
    bool ok = baseFolder && strlen(baseFolder) < sizeof folder;
    if (ok) {
        strcpy(folder, baseFolder);
        ok = appendPathComponent(folder, sizeof folder, "Quendrel");
    }
    if (ok) {
        if (!fileExists(folder)) createFolder(folder);
        strcpy(path, folder);
        ok = appendPathComponent(path, sizeof path, "Kestrix") &&
             appendExtension(path, sizeof path, "ini");
    }
    if (!ok) {
        logLine("openPrefs: no folder for the preferences");
        loadPrefs("");
        return;
    }
    if (!fileExists(path) && oldPath && *oldPath && strlen(oldPath) < sizeof path) {
        char old[512];
        strcpy(old, oldPath);
        if (endsWith(old, ".ini") || replaceExtension(old, sizeof old, ".ini")) {
            // Taken over under the store's own name, so that the load below reads it.
            if (fileExists(old)) moveFile(old, folder, sizeof folder, "Kestrix.ini");
        }
    }
    loadPrefs(path);
}

void openPrefs(const char* oldPath) {
    char base[512] = {};
    if (!localAppDataFolder(base, sizeof base)) {
        logLine("openPrefs: no local application data folder");
        loadPrefs("");
        return;
    }
    openPrefsIn(base, oldPath);
}

bool oldPrefsPath(char* dest, size_t size) {
    if (!dest || size == 0) return false;
    dest[0] = 0;
    return documentsFolder(dest, size) && appendPathComponent(dest, size, "Quendrel") &&
           appendPathComponent(dest, size, "Kestrix.ini");
}

StoreResult loadPrefs(const char* path) {
    return thePrefs().load(path);
}
int32_t getPrefString(const char* section, const char* key, char* dest, size_t size) {
    return thePrefs().getString(section, key, dest, size);
}
int32_t getPrefInt(const char* section, const char* key, int32_t defaultValue) {
    return thePrefs().getInt(section, key, defaultValue);
}
StoreResult setPrefString(const char* section, const char* key, const char* value) {
    return thePrefs().setString(section, key, value);
}
StoreResult setPrefInt(const char* section, const char* key, int32_t value) {
    return thePrefs().setInt(section, key, value);
}
void savePrefs() {
    thePrefs().save();
}
bool prefsChanged() {
    return thePrefs().changed();
}
StoreResult reloadPrefs() {
    return thePrefs().reload();
}
