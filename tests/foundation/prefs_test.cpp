// The preferences store byte for byte: memory form, file form, the search and write rules, and
// the store's life on real files.
#include "foundation/prefs.h"

#include "foundation/files.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "foundation/platform/posix/resource_registry.h"
#endif

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string memoryOf(const CMyPrefs& prefs) {
    return prefs.text() ? std::string(prefs.text(), prefs.length()) : std::string();
}

std::string valueOf(const CMyPrefs& prefs, const char* section, const char* key) {
    char value[2048];
    int32_t length = prefs.getString(section, key, value, sizeof value);
    return length < 0 ? "<missing>" : std::string(value);
}

std::vector<std::pair<std::string, std::string>> gMessages;
void recordMessage(const char* key, const char* detail, void*) {
    gMessages.emplace_back(key, detail);
}

TEST(PrefsMemoryForm, FileBytesAreNormalised) {
    struct Case {
        const char* name;
        std::string file;
        std::string memory;
    } cases[] = {
        {"empty file", "", "\r"},
        {"CR LF", "[General]\r\nLogging=1\r\nLastFolder=0\r\n",
         "\r[General]\rLogging=1\rLastFolder=0\r"},
        {"LF only, blank lines", "\n\n[General]\nA=1\n\n\n[Other]\nB=2",
         "\r[General]\rA=1\r[Other]\rB=2\r"},
        {"mixed", "\r\n\r[A]\n\rx=1\r\r\n\n\ry=2\n", "\r[A]\rx=1\ry=2\r"},
        {"no final line end", "[A]\r\nx=1", "\r[A]\rx=1\r"},
    };
    for (const auto& c : cases) {
        CMyPrefs prefs;
        ASSERT_EQ(0, prefs.loadBytes(c.file.data(), c.file.size()));
        EXPECT_EQ(showBytes(c.memory), showBytes(memoryOf(prefs))) << c.name;
        EXPECT_EQ(c.file.size() + 8192, prefs.capacity()) << c.name;
    }
}

TEST(PrefsFileForm, CrLfWithOneBlankLineBeforeLaterSections) {
    struct Case {
        const char* name;
        std::string memory;
        std::string file;
    } cases[] = {
        {"one section", "\r[General]\rLogging=1\rLastFolder=0\r",
         "[General]\r\nLogging=1\r\nLastFolder=0\r\n"},
        {"two sections", "\r[A]\rx=1\r[B]\ry=2\r", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
        {"just appended section", "\r[A]\rx=1\r\r[B]\ry=2\r", "[A]\r\nx=1\r\n\r[B]\r\ny=2\r\n"},
        {"only a CR", "\r", ""},
    };
    for (const auto& c : cases) {
        CMyPrefs prefs;
        ASSERT_EQ(0, prefs.loadBytes("", 0));
        // Build the memory text through the normaliser only when it would keep it unchanged.
        std::string inner = c.memory.substr(1);
        ASSERT_EQ(0, prefs.loadBytes(inner.data(), inner.size()));
        if (memoryOf(prefs) != c.memory) {
            // The double CR of a fresh append exists only after a write, not after a load.
            ASSERT_EQ(0, prefs.loadBytes("[A]\rx=1\r", 8));
            ASSERT_EQ(0, prefs.setString("B", "y", "2"));
        }
        ASSERT_EQ(showBytes(c.memory), showBytes(memoryOf(prefs))) << c.name;
        EXPECT_EQ(showBytes(c.file), showBytes(prefs.fileForm())) << c.name;
    }
}

TEST(PrefsSearch, ExactBytesWithinTheSection) {
    const std::string file = "Stray=0\r\n[General]\r\nBleedSettings=7\r\nLogging=2\r\nEmpty=\r\n"
                             "\r\n[Other]\r\nLogging=9\r\nOnly=1\r\n";
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.loadBytes(file.data(), file.size()));
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"General", "BleedSettings", "7"},   {"General", "Bleed", "<missing>"},
        {"General", "Logging", "2"},         {"Other", "Logging", "9"},
        {"General", "Only", "<missing>"},    {"Missing", "Logging", "<missing>"},
        {"general", "Logging", "<missing>"}, {"General", "logging", "<missing>"},
        {"General", "Stray", "<missing>"},   {"General", "Empty", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, valueOf(prefs, c.section, c.key)) << c.section << "/" << c.key;
    char value[8] = "x";
    EXPECT_EQ(0, prefs.getString("General", "Empty", value, sizeof value));
}

TEST(PrefsSearch, IntegersReadTheLeadingNumber) {
    const std::string file = "[G]\nDigitsThenText=12abc\nText=abc\nEmpty=\nBlanks=  -7\nPlus=+5\n"
                             "Huge=99999999999\nSmall=-99999999999\nTwo=2\n";
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.loadBytes(file.data(), file.size()));
    struct Case {
        const char* key;
        int32_t expected;
    } cases[] = {
        {"DigitsThenText", 12}, {"Text", 0},          {"Empty", 42},
        {"Blanks", -7},         {"Plus", 5},          {"Missing", 42},
        {"Huge", INT32_MAX},    {"Small", INT32_MIN}, {"Two", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, prefs.getInt("G", c.key, 42)) << c.key;
}

TEST(PrefsSearch, ValueLongerThanTheBufferIsRefusedWhole) {
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.loadBytes("[G]\nPath=abcdef\n", 16));
    char value[7] = "zzzzzz";
    EXPECT_EQ(-1, prefs.getString("G", "Path", value, 6));
    EXPECT_STREQ("", value);
    EXPECT_EQ(6, prefs.getString("G", "Path", value, 7));
    EXPECT_STREQ("abcdef", value);
}

TEST(PrefsSearch, ByteOrderMarkHidesTheFirstSection) {
    const std::string file = "\xEF\xBB\xBF[General]\r\nA=1\r\n";
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.loadBytes(file.data(), file.size()));
    EXPECT_EQ("<missing>", valueOf(prefs, "General", "A"));
    ASSERT_EQ(0, prefs.setInt("General", "B", 2));
    EXPECT_EQ(showBytes("\r\xEF\xBB\xBF[General]\rA=1\r\r[General]\rB=2\r"),
              showBytes(memoryOf(prefs)));
}

TEST(PrefsWrite, RewrittenKeyMovesToTheTopOfItsSection) {
    struct Step {
        const char* section;
        const char* key;
        const char* value;
        std::string memory;
    } steps[] = {
        {"General", "B", "x", "\r[General]\rB=x\rA=1\r[Later]\rA=9\r"},
        {"General", "A", "2", "\r[General]\rA=2\rB=x\r[Later]\rA=9\r"},
        {"Later", "C", "", "\r[General]\rA=2\rB=x\r[Later]\rC=\rA=9\r"},
        {"New", "K", "v", "\r[General]\rA=2\rB=x\r[Later]\rC=\rA=9\r\r[New]\rK=v\r"},
        {"New", "K", "w", "\r[General]\rA=2\rB=x\r[Later]\rC=\rA=9\r\r[New]\rK=w\r"},
    };
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.loadBytes("[General]\nA=1\n[Later]\nA=9\n", 26));
    for (const auto& s : steps) {
        ASSERT_EQ(0, prefs.setString(s.section, s.key, s.value)) << s.key;
        EXPECT_EQ(showBytes(s.memory), showBytes(memoryOf(prefs))) << s.section << "/" << s.key;
    }
}

TEST(PrefsWrite, FirstWriteToAnEmptyStoreAppendsTheSection) {
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.loadBytes("", 0));
    ASSERT_EQ(0, prefs.setInt("General", "Logging", -3));
    EXPECT_EQ(showBytes("\r\r[General]\rLogging=-3\r"), showBytes(memoryOf(prefs)));
    EXPECT_EQ(showBytes("[General]\r\nLogging=-3\r\n"), showBytes(prefs.fileForm()));
    EXPECT_EQ(-3, prefs.getInt("General", "Logging", 0));
}

TEST(PrefsWrite, UnsafeWritesAreRefusedAndChangeNothing) {
    const std::string longest(1020, 'v'); // "K=" + value + CR is exactly 1023 bytes
    struct Case {
        const char* name;
        std::string section, key, value;
        int32_t expected;
    } cases[] = {
        {"longest line", "G", "K", longest, 0},
        {"one byte too long", "G", "K", longest + "v", -1},
        {"new section too long", "New", "K", longest, -1},
        {"CR in value", "G", "K", "a\r[G]\rLogging=1", -1},
        {"LF in value", "G", "K", "a\nb", -1},
        {"= in key", "G", "K=2", "1", -1},
        {"key like a header", "G", "[G]", "1", -1},
        {"] in section", "G]x", "K", "1", -1},
        {"CR in section", "G\rX", "K", "1", -1},
    };
    for (const auto& c : cases) {
        CMyPrefs prefs;
        ASSERT_EQ(0, prefs.loadBytes("[G]\nA=1\n", 8));
        std::string before = memoryOf(prefs);
        EXPECT_EQ(c.expected, prefs.setString(c.section.c_str(), c.key.c_str(), c.value.c_str()))
            << c.name;
        if (c.expected == 0)
            EXPECT_EQ(c.value, valueOf(prefs, "G", "K")) << c.name;
        else
            EXPECT_EQ(showBytes(before), showBytes(memoryOf(prefs))) << c.name;
    }
    CMyPrefs unloaded;
    EXPECT_EQ(-1, unloaded.setString("G", "K", "1"));
    EXPECT_EQ(-1, unloaded.getString("G", "K", nullptr, 0));
}

TEST(PrefsWrite, LongLinesGrowTheBufferSafely) {
    // Lines near the limit are longer than the 512-byte write margin: the buffer must grow
    // for the line itself, at whatever fill level the text happens to be.
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.loadBytes("", 0));
    std::vector<std::string> values;
    for (int i = 0; i < 40; ++i) {
        values.push_back(std::string(900 + 2 * i, static_cast<char>('a' + i % 26)));
        std::string key = "Key" + std::to_string(i);
        ASSERT_EQ(0, prefs.setString("G", key.c_str(), values.back().c_str())) << key;
        ASSERT_LT(prefs.length(), prefs.capacity());
    }
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(values[i], valueOf(prefs, "G", ("Key" + std::to_string(i)).c_str())) << i;
}

class PrefsOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        gMessages.clear();
        setPrefsMessageHook(recordMessage, nullptr);
    }
    void TearDown() override { setPrefsMessageHook(nullptr, nullptr); }
    TempFolder temp{"kx-prefs"};
};

TEST_F(PrefsOnDisk, MissingFileStartsEmptyAndPathGetsIni) {
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.load(temp.path("Kestrix.txt").c_str()));
    EXPECT_EQ(temp.path("Kestrix.ini"), prefs.path());
    EXPECT_EQ(0u, prefs.length());
    EXPECT_EQ(8192u, prefs.capacity());
    EXPECT_EQ(0u, prefs.rememberedTime());
    EXPECT_EQ(7, prefs.getInt("General", "Logging", 7));
    ASSERT_EQ(0, prefs.load(temp.path("Upper.INI").c_str()));
    EXPECT_EQ(temp.path("Upper.INI"), prefs.path());
}

#ifndef _WIN32
TEST_F(PrefsOnDisk, MissingFileTakesTheBuiltInDefaultsVerbatim) {
    const std::string defaults = "[General]\nAddAlways=0\n\n";
    registerResource("Prefs_E", "INI", defaults.data(), defaults.size());
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.load(temp.path("Kestrix.ini").c_str()));
    clearRegisteredResources();
    EXPECT_EQ(showBytes(defaults), showBytes(memoryOf(prefs))) << "no CR in front, not normalised";
    EXPECT_EQ(defaults.size() + 8192, prefs.capacity());
    EXPECT_EQ("<missing>", valueOf(prefs, "General", "AddAlways")) << "no CR before the header";
}
#endif

TEST_F(PrefsOnDisk, LooseLineEndsAreSavedNormal) {
    const std::string path = temp.path("Kestrix.ini");
    writeBytes(path, "\n[General]\nLogging=1\n\n\n[Export]\r\nFolderPath=C:\\out\r\r\n");
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.load(path.c_str()));
    ASSERT_EQ(0, prefs.save());
    EXPECT_EQ(showBytes("[General]\r\nLogging=1\r\n\r\n[Export]\r\nFolderPath=C:\\out\r\n"),
              showBytes(readBytes(path)));
    EXPECT_TRUE(gMessages.empty());
    EXPECT_FALSE(pathExists(path + ".tmp"));
}

TEST_F(PrefsOnDisk, AppendedSectionSettlesAfterTheNextLoad) {
    const std::string path = temp.path("Kestrix.ini");
    writeBytes(path, "[General]\r\nLogging=1\r\n");
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.load(path.c_str()));
    ASSERT_EQ(0, prefs.setString("Export", "Style", "Default"));
    ASSERT_EQ(0, prefs.save());
    EXPECT_EQ(showBytes("[General]\r\nLogging=1\r\n\r[Export]\r\nStyle=Default\r\n"),
              showBytes(readBytes(path)));
    ASSERT_EQ(0, prefs.reload());
    ASSERT_EQ(0, prefs.save());
    EXPECT_EQ(showBytes("[General]\r\nLogging=1\r\n\r\n[Export]\r\nStyle=Default\r\n"),
              showBytes(readBytes(path)));
}

TEST_F(PrefsOnDisk, ChangeCheckSeesOnlyOutsideWrites) {
    const std::string path = temp.path("Kestrix.ini");
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.load(path.c_str()));
    EXPECT_FALSE(prefs.changed()) << "no file yet";
    ASSERT_EQ(0, prefs.setInt("General", "Logging", 1));
    ASSERT_EQ(0, prefs.save());
    EXPECT_NE(0u, prefs.rememberedTime());
    EXPECT_FALSE(prefs.changed()) << "our own save";

    writeBytes(path, "[General]\r\nLogging=5\r\n");
    auto file = std::filesystem::u8path(path);
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) +
                                               std::chrono::seconds(5));
    EXPECT_TRUE(prefs.changed()) << "touched from outside";
    ASSERT_EQ(0, prefs.setInt("General", "Unsaved", 1));
    ASSERT_EQ(0, prefs.reload());
    EXPECT_FALSE(prefs.changed());
    EXPECT_EQ(5, prefs.getInt("General", "Logging", 0));
    EXPECT_EQ(-1, prefs.getInt("General", "Unsaved", -1)) << "unsaved write survives a reload";
}

TEST_F(PrefsOnDisk, FailedSaveKeepsTheOldFileAndTheMemoryText) {
    const std::string path = temp.path("Kestrix.ini");
    const std::string old = "[General]\r\nLogging=1\r\n";
    writeBytes(path, old);
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.load(path.c_str()));
    ASSERT_EQ(0, prefs.setInt("General", "Logging", 0));
    const std::string memory = memoryOf(prefs);

    // A folder where the temporary file goes: the write cannot even start.
    std::filesystem::create_directory(std::filesystem::u8path(path + ".tmp"));
    EXPECT_EQ(0, prefs.save());
    ASSERT_EQ(1u, gMessages.size());
    EXPECT_EQ("writePrefsErr", gMessages[0].first);
    EXPECT_EQ(path, gMessages[0].second);
    EXPECT_EQ(showBytes(old), showBytes(readBytes(path)));
    EXPECT_EQ(showBytes(memory), showBytes(memoryOf(prefs)));

    std::filesystem::remove(std::filesystem::u8path(path + ".tmp"));
    EXPECT_EQ(0, prefs.save());
    EXPECT_EQ(1u, gMessages.size());
    EXPECT_EQ(showBytes("[General]\r\nLogging=0\r\n"), showBytes(readBytes(path)));
}

TEST_F(PrefsOnDisk, SaveWithoutPathReportsInsteadOfWritingBesideTheHost) {
    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.load(""));
    ASSERT_EQ(0, prefs.setInt("General", "Logging", 1));
    EXPECT_EQ(0, prefs.save());
    ASSERT_EQ(1u, gMessages.size());
    EXPECT_EQ("writePrefsErr", gMessages[0].first);
    EXPECT_FALSE(pathExists(".ini"));
    EXPECT_FALSE(pathExists(".ini.tmp"));
}

TEST_F(PrefsOnDisk, OpenTakesOverTheOldFileOnlyWhenTheStoreHasNone) {
    struct Case {
        const char* name;
        const char* oldName;    // inside the old folder
        const char* passedName; // the old path as passed
        bool storeExists;
        bool moved;
        int32_t expectedLogging;
    } cases[] = {
        {"old file moved", "Kestrix.ini", "Kestrix.ini", false, true, 1},
        {"extension made .ini", "Kestrix.ini", "Kestrix.txt", false, true, 1},
        {"other name taken over", "Legacy.ini", "Legacy", false, true, 1},
        {"store exists: old left alone", "Kestrix.ini", "Kestrix.ini", true, false, 2},
        {"no old file", "Absent.ini", "Elsewhere.ini", false, false, -1},
    };
    for (const auto& c : cases) {
        TempFolder base("kx-appdata"), documents("kx-docs");
        std::filesystem::create_directory(std::filesystem::u8path(documents.path("Quendrel")));
        const std::string oldFile = documents.path(std::string("Quendrel/") + c.oldName);
        writeBytes(oldFile, "[General]\r\nLogging=1\r\n");
        const std::string store = base.path("Quendrel/Kestrix.ini");
        if (c.storeExists) {
            std::filesystem::create_directory(std::filesystem::u8path(base.path("Quendrel")));
            writeBytes(store, "[General]\r\nLogging=2\r\n");
        }
        openPrefsIn(base.path().c_str(),
                    documents.path(std::string("Quendrel/") + c.passedName).c_str());
        EXPECT_EQ(store, thePrefs().path()) << c.name;
        EXPECT_TRUE(pathExists(base.path("Quendrel"))) << c.name;
        EXPECT_EQ(c.moved, !pathExists(oldFile)) << c.name;
        EXPECT_EQ(c.expectedLogging, getPrefInt("General", "Logging", -1)) << c.name;
    }
    loadPrefs("");
}

} // namespace
