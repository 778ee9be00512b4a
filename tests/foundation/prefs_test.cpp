// The preferences store byte for byte: memory form, file form, search and write rules, and its
// life on real files.
#include "foundation/prefs.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string memoryOf(const CMyPrefs& prefs) {
    return std::string(prefs.text(), prefs.length());
}

std::string valueOf(const CMyPrefs& prefs, const char* section, const char* key) {
    char value[2048];
    return prefs.getString(section, key, value, sizeof value) < 0 ? "<missing>" : value;
}

CMyPrefs& loaded(CMyPrefs& prefs, const std::string& file) {
    EXPECT_EQ(StoreResult::Ok, prefs.loadBytes(file.data(), file.size()));
    return prefs;
}

TEST(PrefsText, FileToMemoryToFile) {
    struct Case {
        std::string file, memory, saved;
    } cases[] = {
        {"", "\r", ""},
        {"[General]\r\nLogging=1\r\nLastFolder=0\r\n", "\r[General]\rLogging=1\rLastFolder=0\r",
         "[General]\r\nLogging=1\r\nLastFolder=0\r\n"},
        {"\n\n[A]\nx=1\n\n\n[B]\ny=2", "\r[A]\rx=1\r[B]\ry=2\r",
         "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
        {"\r\n\r[A]\n\rx=1\r\r\n\n\ry=2\n", "\r[A]\rx=1\ry=2\r", "[A]\r\nx=1\r\ny=2\r\n"},
    };
    for (const auto& c : cases) {
        CMyPrefs prefs;
        loaded(prefs, c.file);
        EXPECT_EQ(showBytes(c.memory), showBytes(memoryOf(prefs))) << showBytes(c.file);
        EXPECT_EQ(c.file.size() + 8192, prefs.capacity()) << showBytes(c.file);
        EXPECT_EQ(showBytes(c.saved), showBytes(prefs.fileForm())) << showBytes(c.file);
    }
}

TEST(PrefsText, SearchIsExactAndStaysInTheSection) {
    CMyPrefs prefs;
    loaded(prefs,
           "Stray=0\n[General]\nBleedSettings=7\nLogging=2\nEmpty=\nText=abc\nMixed=12abc\n"
           "Blanks=  -7\nHuge=99999999999\nSmall=-99999999999\n[Other]\nLogging=9\nOnly=1\n");
    struct Case {
        const char *section, *key, *text;
        int32_t number; // getInt with the default 42
    } cases[] = {
        {"General", "BleedSettings", "7", 7},
        {"General", "Bleed", "<missing>", 42},
        {"General", "Logging", "2", 2},
        {"Other", "Logging", "9", 9},
        {"General", "Only", "<missing>", 42},
        {"general", "Logging", "<missing>", 42},
        {"General", "logging", "<missing>", 42},
        {"General", "Stray", "<missing>", 42},
        {"General", "Empty", "", 42},
        {"General", "Text", "abc", 0},
        {"General", "Mixed", "12abc", 12},
        {"General", "Blanks", "  -7", -7},
        {"General", "Huge", "99999999999", INT32_MAX},
        {"General", "Small", "-99999999999", INT32_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text, valueOf(prefs, c.section, c.key)) << c.section << "/" << c.key;
        EXPECT_EQ(c.number, prefs.getInt(c.section, c.key, 42)) << c.section << "/" << c.key;
    }
    // A value that does not fit the caller's buffer is refused whole, never cut.
    char value[6] = "zzzzz";
    EXPECT_EQ(-1, prefs.getString("General", "Mixed", value, 5));
    EXPECT_STREQ("", value);
    EXPECT_EQ(5, prefs.getString("General", "Mixed", value, 6));
}

TEST(PrefsText, WritesPutTheKeyFirstInItsSection) {
    struct Step {
        const char *section, *key, *value;
        std::string memory;
    } steps[] = {
        {"General", "B", "x", "\r[General]\rB=x\rA=1\r[Later]\rA=9\r"},
        {"General", "A", "2", "\r[General]\rA=2\rB=x\r[Later]\rA=9\r"},
        {"Later", "C", "", "\r[General]\rA=2\rB=x\r[Later]\rC=\rA=9\r"},
        {"New", "K", "v", "\r[General]\rA=2\rB=x\r[Later]\rC=\rA=9\r\r[New]\rK=v\r"},
    };
    CMyPrefs prefs;
    loaded(prefs, "[General]\nA=1\n[Later]\nA=9\n");
    for (const auto& s : steps) {
        ASSERT_EQ(StoreResult::Ok, prefs.setString(s.section, s.key, s.value)) << s.key;
        EXPECT_EQ(showBytes(s.memory), showBytes(memoryOf(prefs))) << s.section << "/" << s.key;
    }
    // Saved before the next load, the appended header follows a bare CR.
    EXPECT_EQ(
        showBytes("[General]\r\nA=2\r\nB=x\r\n\r\n[Later]\r\nC=\r\nA=9\r\n\r[New]\r\nK=v\r\n"),
        showBytes(prefs.fileForm()));
}

// Bytes of a UTF-16 text with its byte-order mark.
std::string utf16Bytes(const std::u16string& text, bool bigEndian) {
    std::string bytes;
    for (char16_t unit : u"\uFEFF" + text) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(PrefsText, MarkedAndUtf16FilesReadAsTheirTextAndSaveAsUtf8) {
    // Notepad's forms of one file; a Greek letter and a character beyond the BMP in a value.
    const std::u16string text = u"[General]\r\nFolder=C:\\\u0394\U0001D11E\r\n[Other]\r\nA=1\r\n";
    const std::string utf8 =
        "[General]\r\nFolder=C:\\\xCE\x94\xF0\x9D\x84\x9E\r\n[Other]\r\nA=1\r\n";
    const std::pair<const char*, std::string> files[] = {
        {"UTF-8", utf8},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + utf8},
        {"UTF-8, mark twice and a blank line", "\xEF\xBB\xBF\r\n\xEF\xBB\xBF" + utf8},
        {"UTF-16 mark bytes behind a blank line", "\r\n\xFF\xFE" + utf8},
        {"UTF-16 LE", utf16Bytes(text, false)},
        {"UTF-16 BE", utf16Bytes(text, true)},
    };
    for (const auto& f : files) {
        CMyPrefs prefs;
        loaded(prefs, f.second);
        EXPECT_EQ("C:\\\xCE\x94\xF0\x9D\x84\x9E", valueOf(prefs, "General", "Folder")) << f.first;
        ASSERT_EQ(StoreResult::Ok, prefs.setInt("General", "B", -2)) << f.first;
        // The write lands in the file's own section, and a save writes UTF-8 without a mark.
        const std::string saved = prefs.fileForm();
        EXPECT_EQ(showBytes("[General]\r\nB=-2\r\nFolder=C:\\\xCE\x94\xF0\x9D\x84\x9E\r\n\r\n"
                            "[Other]\r\nA=1\r\n"),
                  showBytes(saved))
            << f.first;
        CMyPrefs again;
        EXPECT_EQ(saved, loaded(again, saved).fileForm()) << f.first << ": saved twice";
    }
    // UTF-16 that is no text (an odd byte, an unpaired surrogate) is not taken for settings.
    const std::string broken[] = {utf16Bytes(text, false) + "x",
                                  utf16Bytes(u"[A]\r\nB=\xD800x", false),
                                  utf16Bytes(u"[A]\r\nB=\xDC00", true)};
    for (const auto& bytes : broken) {
        CMyPrefs prefs;
        EXPECT_EQ(StoreResult::Unreadable, prefs.loadBytes(bytes.data(), bytes.size()));
    }
}

TEST(PrefsText, UnsafeWritesAreRefusedAndChangeNothing) {
    const std::string longest(1020, 'v'); // "K=" + value + CR: exactly 1023 bytes
    struct Case {
        std::string section, key, value;
        bool written;
    } cases[] = {
        {"G", "K", longest, true},    {"G", "K", longest + "v", false},
        {"New", "K", longest, false}, {"G", "K", "a\r[G]\rX=1", false},
        {"G", "K", "a\nb", false},    {"G", "K=2", "1", false},
        {"G", "[G]", "1", false},     {"G]x", "K", "1", false},
    };
    for (const auto& c : cases) {
        CMyPrefs prefs;
        std::string before = memoryOf(loaded(prefs, "[G]\nA=1\n"));
        EXPECT_EQ(c.written ? StoreResult::Ok : StoreResult::Refused,
                  prefs.setString(c.section.c_str(), c.key.c_str(), c.value.c_str()))
            << c.section << "/" << c.key << "=" << showBytes(c.value.substr(0, 20));
        EXPECT_EQ(c.written ? c.value : "<missing>", valueOf(prefs, "G", "K"));
        if (!c.written) {
            EXPECT_EQ(before, memoryOf(prefs));
        }
    }
    CMyPrefs unloaded;
    EXPECT_EQ(StoreResult::Refused, unloaded.setString("G", "K", "1"));

    // Lines near the limit outgrow the 512-byte write margin at some fill level.
    CMyPrefs prefs;
    loaded(prefs, "");
    for (int i = 0; i < 40; ++i)
        ASSERT_EQ(StoreResult::Ok, prefs.setString("G", std::to_string(i).c_str(),
                                                   std::string(1000, 'a' + i % 26).c_str()));
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(std::string(1000, 'a' + i % 26), valueOf(prefs, "G", std::to_string(i).c_str()))
            << i;
}

std::vector<std::pair<std::string, std::string>> gMessages;
void recordMessage(const char* key, const char* detail, void*) {
    gMessages.emplace_back(key, detail);
}

class PrefsFile : public ::testing::Test {
  protected:
    void SetUp() override { setPrefsMessageHook(recordMessage, nullptr), gMessages.clear(); }
    void TearDown() override { setPrefsMessageHook(nullptr, nullptr); }
    TempFolder temp{"kx-prefs"};
    const std::string path = temp.path("Kestrix.ini");
};

TEST_F(PrefsFile, SaveReloadAndTheChangeCheck) {
    CMyPrefs prefs;
    ASSERT_EQ(StoreResult::Ok, prefs.load(temp.path("Kestrix.txt").c_str()));
    EXPECT_EQ(path, prefs.path());
    EXPECT_EQ(0u, prefs.rememberedTime());
    EXPECT_FALSE(prefs.changed()) << "no file yet";
    ASSERT_EQ(StoreResult::Ok, prefs.setInt("General", "Logging", 1));
    ASSERT_EQ(StoreResult::Ok, prefs.setString("Export", "Style", "Default"));
    prefs.save();
    EXPECT_EQ(showBytes("[General]\r\nLogging=1\r\n\r[Export]\r\nStyle=Default\r\n"),
              showBytes(readBytes(path)));
    EXPECT_FALSE(prefs.changed()) << "our own save";
    ASSERT_EQ(StoreResult::Ok, prefs.reload());
    prefs.save();
    EXPECT_EQ(showBytes("[General]\r\nLogging=1\r\n\r\n[Export]\r\nStyle=Default\r\n"),
              showBytes(readBytes(path)));

    writeBytes(path, "[General]\nLogging=5\n");
    fs::last_write_time(fs::u8path(path),
                        fs::last_write_time(fs::u8path(path)) + std::chrono::seconds(5));
    EXPECT_TRUE(prefs.changed()) << "touched from outside";
    ASSERT_EQ(StoreResult::Ok, prefs.setInt("General", "Unsaved", 1));
    ASSERT_EQ(StoreResult::Ok, prefs.reload());
    EXPECT_FALSE(prefs.changed());
    EXPECT_EQ(5, prefs.getInt("General", "Logging", 0));
    EXPECT_EQ(-1, prefs.getInt("General", "Unsaved", -1));
    EXPECT_TRUE(gMessages.empty());
    EXPECT_FALSE(pathExists(path + ".tmp"));
}

TEST_F(PrefsFile, TwoStoresOnOneFileKeepEachOthersSavedKeys) {
    // Two hosts read the file at start; each saves only what it wrote over what the file holds
    // at that moment, so neither brings back its stale copy of the other's keys.
    writeBytes(path, "[General]\r\nTracking=0\r\nLogging=1\r\n\r\n[Export]\r\nStyle=A\r\n");
    CMyPrefs first, second;
    ASSERT_EQ(StoreResult::Ok, first.load(path.c_str()));
    ASSERT_EQ(StoreResult::Ok, second.load(path.c_str()));
    ASSERT_EQ(StoreResult::Ok, first.setInt("General", "Tracking", 1));
    first.save();
    ASSERT_EQ(StoreResult::Ok, second.setString("General", "FolderPath", "C:\\Out"));
    ASSERT_EQ(StoreResult::Ok, second.setString("New", "K", "v"));
    ASSERT_EQ(StoreResult::Ok, second.setString("General", "Logging", "0"));
    second.save();
    EXPECT_EQ(showBytes("[General]\r\nLogging=0\r\nFolderPath=C:\\Out\r\nTracking=1\r\n\r\n"
                        "[Export]\r\nStyle=A\r\n\r[New]\r\nK=v\r\n"),
              showBytes(readBytes(path)));
    EXPECT_EQ(1, second.getInt("General", "Tracking", -1)) << "the memory text is what was saved";
    // Saving again without a change writes what the file holds, the other store's keys too.
    first.save();
    EXPECT_EQ(0, first.getInt("General", "Logging", -1));
    EXPECT_EQ(showBytes("[General]\r\nLogging=0\r\nFolderPath=C:\\Out\r\nTracking=1\r\n\r\n"
                        "[Export]\r\nStyle=A\r\n\r\n[New]\r\nK=v\r\n"),
              showBytes(readBytes(path)));
    EXPECT_TRUE(gMessages.empty());
}

TEST_F(PrefsFile, FailedSaveKeepsTheOldFileAndTheMemoryText) {
    writeBytes(path, "[General]\r\nLogging=1\r\n");
    CMyPrefs prefs;
    ASSERT_EQ(StoreResult::Ok, prefs.load(path.c_str()));
    ASSERT_EQ(StoreResult::Ok, prefs.setInt("General", "Logging", 0));
    fs::create_directory(fs::u8path(path + ".tmp")); // the temporary file cannot be made
    prefs.save();
    ASSERT_EQ(1u, gMessages.size());
    EXPECT_EQ(std::make_pair(std::string("writePrefsErr"), path), gMessages[0]);
    EXPECT_EQ(showBytes("[General]\r\nLogging=1\r\n"), showBytes(readBytes(path)));
    fs::remove(fs::u8path(path + ".tmp"));
    prefs.save();
    EXPECT_EQ(showBytes("[General]\r\nLogging=0\r\n"), showBytes(readBytes(path)))
        << "memory text kept";

    CMyPrefs pathless; // never written beside the host's working folder
    ASSERT_EQ(StoreResult::Ok, pathless.load(""));
    pathless.save();
    EXPECT_EQ(2u, gMessages.size());
    EXPECT_FALSE(pathExists(".ini"));
}

TEST_F(PrefsFile, AFileThatCannotBeReadIsReportedAndNeverReplaced) {
    // A folder stands where the file belongs; UTF-16 that is no text is a file that cannot be
    // read as well. Either way the user's file must survive the next save.
    const std::string broken = utf16Bytes(u"[General]\r\nLogging=\xD800", false);
    for (bool folder : {true, false}) {
        gMessages.clear();
        if (folder)
            fs::create_directory(fs::u8path(path));
        else
            writeBytes(path, broken);
        CMyPrefs prefs;
        ASSERT_EQ(StoreResult::Ok, prefs.load(path.c_str()));
        EXPECT_TRUE(prefs.unreadable());
        ASSERT_EQ(1u, gMessages.size()) << folder;
        EXPECT_EQ(std::make_pair(std::string("readPrefsErr"), path), gMessages[0]);
        EXPECT_EQ(-1, prefs.getInt("General", "Logging", -1)) << "defaults are used";
        ASSERT_EQ(StoreResult::Ok, prefs.setInt("General", "Logging", 1));
        prefs.save();
        EXPECT_EQ(1u, gMessages.size()) << "reported once, at load";
        EXPECT_EQ(folder, fs::is_directory(fs::u8path(path)));
        if (!folder) {
            EXPECT_EQ(showBytes(broken), showBytes(readBytes(path)));
        }
        EXPECT_FALSE(pathExists(path + ".tmp"));
        fs::remove(fs::u8path(path));
        // Once the file is gone, the settings of this session are saved.
        prefs.save();
        EXPECT_EQ("[General]\r\nLogging=1\r\n", readBytes(path)) << folder;
        fs::remove(fs::u8path(path));
    }
}

TEST_F(PrefsFile, StartUpTakesOverTheOldFileOnlyWhenTheStoreHasNone) {
    struct Case {
        const char *oldName, *passedName;
        bool storeExists, moved;
        int32_t logging;
    } cases[] = {
        {"Kestrix.ini", "Kestrix.ini", false, true, 1},
        {"Kestrix.ini", "Kestrix.txt", false, true, 1},
        {"Legacy.ini", "Legacy", false, true, 1},
        {"Kestrix.ini", "Kestrix.ini", true, false, 2},
        {"Absent.ini", "Other.ini", false, false, -1},
    };
    for (const auto& c : cases) {
        TempFolder base("kx-appdata"), documents("kx-docs");
        const std::string oldFile = documents.path(c.oldName),
                          store = base.path("Quendrel/Kestrix.ini");
        writeBytes(oldFile, "[General]\r\nLogging=1\r\n");
        if (c.storeExists) {
            fs::create_directory(fs::u8path(base.path("Quendrel")));
            writeBytes(store, "[General]\r\nLogging=2\r\n");
        }
        openPrefsIn(base.path().c_str(), documents.path(c.passedName).c_str());
        EXPECT_EQ(store, thePrefs().path()) << c.passedName;
        EXPECT_EQ(c.moved, !pathExists(oldFile)) << c.passedName;
        EXPECT_EQ(c.logging, getPrefInt("General", "Logging", -1)) << c.passedName;
    }
    loadPrefs("");
}

} // namespace
