#pragma once
// The preferences store: the whole INI file held as one text in memory form (lines ended by a
// single CR, the text starting with a CR), read by substring search and edited in place.
// Writes change memory only; savePrefs writes the file in its CR LF form, through a temporary
// file beside it that replaces the old file in one step.
// A file may be UTF-8 with or without a byte-order mark, or UTF-16 with its mark; a save always
// writes UTF-8 without a mark, the one form every version of the store reads.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/store_result.h"

// getString: no such value.
constexpr int32_t kPrefsMissing = -1;
// The longest key line with its CR; longer writes are refused.
constexpr size_t kPrefsMaxLine = 1023;

class CMyPrefs {
  public:
    CMyPrefs() = default;
    ~CMyPrefs();
    CMyPrefs(const CMyPrefs&) = delete;
    CMyPrefs& operator=(const CMyPrefs&) = delete;

    // Reads the file at path (its extension made ".ini"); a missing file gives the built-in
    // default text or an empty store. A file that exists but cannot be read gives an empty
    // store, goes to the message hook as "readPrefsErr" with the path, and is not written by
    // save while it stays so. Ok, or NoMemory.
    StoreResult load(const char* path);
    // The memory form of file bytes: a CR in front, a byte-order mark dropped, UTF-16 made
    // UTF-8, line ends and blank lines normalised. Ok, NoMemory, or Unreadable for UTF-16 that
    // is no text.
    [[nodiscard]] StoreResult loadBytes(const char* bytes, size_t size);

    // Copies the value into dest and returns its length; kPrefsMissing when there is no text,
    // no such section or key, or the value (with its NUL) does not fit in size bytes.
    int32_t getString(const char* section, const char* key, char* dest, size_t size) const;
    // The value's leading signed decimal number; the default when missing or empty.
    int32_t getInt(const char* section, const char* key, int32_t defaultValue) const;
    // Puts key=value first in its section (appending the section when missing). Refused, with
    // the text unchanged, when there is no text, no memory, the line would exceed
    // kPrefsMaxLine, or a name or value holds a byte that would break the line structure.
    StoreResult setString(const char* section, const char* key, const char* value);
    StoreResult setInt(const char* section, const char* key, int32_t value);

    // Writes the file as it is on disk at that moment with the keys written since the last load
    // or save put over it, so that another host's saved settings survive; the memory text
    // becomes what was written. A file that cannot be read is kept and goes to the message
    // hook as "readPrefsErr" unless load reported it already; a failed write goes there as
    // "writePrefsErr" with the path and leaves the memory text, the keys still to be written
    // and the old file as they were.
    void save();
    // true when the file's modification time is later than the one remembered at load or save.
    bool changed() const;
    StoreResult reload();

    // The file form of the text, as save writes it.
    std::string fileForm() const;
    void clear();

    const char* text() const { return text_; }
    uint64_t length() const { return length_; }
    uint64_t capacity() const { return capacity_; }
    const char* path() const { return path_.c_str(); }
    uint32_t rememberedTime() const { return time_; }
    // true when the file existed at the last load but could not be read.
    bool unreadable() const { return unreadable_; }

  private:
    struct Change {
        std::string section, key, value;
    };
    // The file at path_ into the text (the default text or an empty one when there is none).
    StoreResult readFile();
    bool makeRoom(size_t extra);
    void insertAt(size_t at, const char* bytes, size_t count);
    void removeRange(size_t from, size_t to);
    bool writeFile(const std::string& bytes) const;

    std::string path_; // whole, however long: a failed save names the file it meant
    uint32_t time_ = 0;
    bool unreadable_ = false;
    std::vector<Change> changes_; // the writes since the last load or save, oldest first
    char* text_ = nullptr;
    uint64_t length_ = 0;
    uint64_t capacity_ = 0;
};

// A user message from the store (key, detail line); the message box serves it once it exists.
// Without a hook the message is only logged.
typedef void (*PrefsMessageHook)(const char* messageKey, const char* detail, void* owner);
void setPrefsMessageHook(PrefsMessageHook hook, void* owner);

// The one store of the plug-in and its operations.
CMyPrefs& thePrefs();
// Start-up: the store in "Quendrel" inside the local application data folder, taking over a
// file left at oldPath when the store has none.
void openPrefs(const char* oldPath);
// As openPrefs with the given folder instead of the local application data folder.
void openPrefsIn(const char* baseFolder, const char* oldPath);
// The old location that start-up passes: Documents, "Quendrel", "Kestrix.ini".
bool oldPrefsPath(char* dest, size_t size);

StoreResult loadPrefs(const char* path);
int32_t getPrefString(const char* section, const char* key, char* dest, size_t size);
int32_t getPrefInt(const char* section, const char* key, int32_t defaultValue);
StoreResult setPrefString(const char* section, const char* key, const char* value);
StoreResult setPrefInt(const char* section, const char* key, int32_t value);
void savePrefs();
bool prefsChanged();
StoreResult reloadPrefs();
