// String lookup with the shipped tables: language choice, fallbacks, trailing punctuation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/encoding.h"
#include "foundation/localize.h"
#include "foundation/temppool.h"
#include "shipped_tables.h"

namespace {

std::string localized(const char* key) {
    char dest[kLocalizedSize];
    localize(key, dest);
    return dest;
}

std::string label(const std::string& key) {
    std::string copy = key;
    char dest[kLocalizedSize];
    localizeLabel(&copy[0], dest);
    return dest;
}

std::string umlauts(int n) {
    std::string s;
    for (int i = 0; i < n; i++)
        s += "\xC3\x9C";
    return s;
}

std::string labelWide(const char* key) {
    return wideToUtf8(localizeLabelWide(key));
}

class Localize : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(useShippedTables()) << "shipped tables not available"; }
    void TearDown() override {
        unloadStringTable();
        setInterfaceLanguage(0);
        releaseTemporaryStrings();
    }
    void announce(int16_t hostLanguage) {
        setInterfaceLanguage(hostLanguage);
        ASSERT_EQ(loadStringTable(), 0) << "host language " << hostLanguage;
    }
};

TEST_F(Localize, BeforeTheAnnouncementKeysShowThemselves) {
    unloadStringTable();
    EXPECT_EQ(localized("yes"), "yes");
    EXPECT_EQ(label("deleteTracking?"), "deleteTracking?");
    EXPECT_EQ(labelWide("options:"), "options:");
}

TEST_F(Localize, HostLanguageChoosesTheTable) {
    struct Case {
        int16_t host;
        int16_t language;
        const char* yes;
    } cases[] = {
        {0, 0, "Yes"}, {1, 0, "Yes"}, {2, 0, "Yes"},  {3, 3, "Ja"},
        {19, 3, "Ja"}, {4, 0, "Yes"}, {-1, 0, "Yes"}, {18, 0, "Yes"},
    };
    for (const Case& c : cases) {
        announce(c.host);
        EXPECT_EQ(interfaceLanguage(), c.language) << "host language " << c.host;
        EXPECT_EQ(localized("yes"), c.yes) << "host language " << c.host;
    }
}

TEST_F(Localize, LookupsInBothLanguages) {
    struct Case {
        int16_t host;
        const char* key;
        const char* expected;
    } cases[] = {
        {0, "saveAsEPS", "Save Page(s) as EPS"},
        {0, "YES", "Yes"},
        {0, "kCopyOptions", " Copy"},
        {0, "writePrefsErr", "writePrefsErr"},
        {0, "kMissingFontWarn",
         "Some fonts could not be embedded, because they were reported as "
         "missing by XPress, but were not replaced by some other font!"},
        {3, "kMissingFontWarn", "kMissingFontWarn"},
        {3, "saveAsEPS", "Seite(n) als EPS sichern"},
        {3, "aboutCmd",
         "\xC3\x9C"
         "ber"},
        {3, "kProgress", "Kestrix:     Seite %s"},
        {3, "jobSlug", "Ausgabezeit einf\xC3\xBCgen (\"JobSlug\")"},
    };
    for (const Case& c : cases) {
        announce(c.host);
        EXPECT_EQ(localized(c.key), c.expected) << "key " << c.key << ", host " << c.host;
    }
}

TEST_F(Localize, LabelsKeepTrailingPunctuation) {
    struct Case {
        int16_t host;
        const char* key;
        const char* expected;
    } cases[] = {
        {0, "deleteTracking?", "Delete Tracking?"},
        {3, "deleteTracking?", "Tracking l\xC3\xB6schen?"},
        {0, "options:", "Options:"},
        {3, "options:", "Optionen:"},
        {0, "kDefault\xE2\x80\xA6", "Default\xE2\x80\xA6"},
        {3, "kDefault\xE2\x80\xA6", "Standard\xE2\x80\xA6"},
        {0, "notAKey:", "notAKey:"},
        {0, "\xE2\x80\xA6", "\xE2\x80\xA6"}, // only the ellipsis: not longer than three bytes
        {0, "?", "?"},
        {0, "", ""},
        {0, "yes", "Yes"},
    };
    for (const Case& c : cases) {
        announce(c.host);
        EXPECT_EQ(label(c.key), c.expected) << "key " << c.key << ", host " << c.host;
        EXPECT_EQ(labelWide(c.key), c.expected) << "wide, key " << c.key << ", host " << c.host;
    }
}

TEST_F(Localize, LabelCutsTheCallersBuffer) {
    announce(0);
    char key[] = "options:";
    char dest[kLocalizedSize];
    localizeLabel(key, dest);
    EXPECT_STREQ(key, "options");
}

TEST_F(Localize, LongKeysNeverOverrunTheDestination) {
    announce(0);
    struct Case {
        std::string key;
        size_t destSize;
        std::string expected;
    } cases[] = {
        {std::string(300, 'k'), 256, std::string(255, 'k')},
        {std::string(300, 'k') + ":", 256, std::string(254, 'k') + ":"},
        {std::string(300, 'k') + "\xE2\x80\xA6", 256, std::string(252, 'k') + "\xE2\x80\xA6"},
        // A cut never leaves half a UTF-8 character behind.
        {umlauts(100), 10, umlauts(4)},
        {"options:", 5, "Opt:"},
    };
    for (Case& c : cases) {
        std::string copy = c.key;
        std::string dest(c.destSize + 8, '#');
        localizeLabel(&copy[0], &dest[0], c.destSize);
        EXPECT_EQ(dest.substr(c.destSize), std::string(8, '#')) << "wrote past the destination";
        EXPECT_EQ(std::string(dest.c_str()), c.expected) << "dest size " << c.destSize;
    }
}

TEST_F(Localize, WideLabelOfAbsentKeyIsEmpty) {
    announce(3);
    WideChar* none = localizeLabelWide(nullptr);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(wideLength(none), 0);
    EXPECT_EQ(wideToUtf8(localizeLabelWide("deleteTracking?")), "Tracking l\xC3\xB6schen?");
    EXPECT_GT(temporaryStringCount(), 0u) << "results belong to the pool";
}

TEST_F(Localize, ResourceLookupFollowsTheLanguageSuffixRule) {
    struct Case {
        const char* name;
        const char* type;
        int16_t language;
        const char* contains; // null: no resource
    } cases[] = {
        {"MyStrings", "xml", 3, "<yes>Ja</yes>"},
        {"MyStrings", "xml", 0, "<yes>Yes</yes>"},
        {"MyStrings", "xml", 1, "<yes>Yes</yes>"},
        {"mystrings_d", "XML", 0, "<yes>Ja</yes>"}, // an exact name wins whatever the language
        {"MYSTRINGS_E", "Xml", 3, "<yes>Yes</yes>"},
        {"MyStrings", "dialog", 0, nullptr},
        {"Nothing", "xml", 3, nullptr},
    };
    for (const Case& c : cases) {
        char* text = loadResourceText(c.name, c.type, c.language);
        if (!c.contains) {
            EXPECT_EQ(text, nullptr) << c.name << "/" << c.type;
        } else {
            ASSERT_NE(text, nullptr) << c.name << "/" << c.type;
            EXPECT_NE(strstr(text, c.contains), nullptr) << c.name << " lacks " << c.contains;
            EXPECT_EQ(memcmp(text, "\xEF\xBB\xBF<?xml", 8), 0) << "bytes kept as stored";
        }
        free(text);
    }
}

TEST_F(Localize, LongResourceNamesFindNothing) {
    std::string name(300, 'M');
    EXPECT_EQ(loadResourceText(name.c_str(), "xml", 3), nullptr);
}

#ifdef _WIN32
TEST_F(Localize, WithoutAModuleNothingIsFound) {
    setResourceModule(nullptr);
    setInterfaceLanguage(3);
    EXPECT_EQ(loadStringTable(), -1);
    EXPECT_EQ(localized("yes"), "yes");
}
#else
// Tables of our own making, for the limits the shipped tables do not reach.
class LocalizeOwnTable : public ::testing::Test {
  protected:
    void TearDown() override {
        unloadStringTable();
        clearRegisteredResources();
        setInterfaceLanguage(0);
    }
    void install(const std::string& english, const std::string& german) {
        clearRegisteredResources();
        if (!english.empty())
            registerResource("MYSTRINGS_E", "XML", english.data(), english.size());
        if (!german.empty()) registerResource("MYSTRINGS_D", "XML", german.data(), german.size());
    }
};

TEST_F(LocalizeOwnTable, KeysOfSixtyFourBytesAreTheLongestFound) {
    std::string k64(64, 'a'), k65(65, 'b');
    install("<strings><" + k64 + ">found</" + k64 + "><" + k65 + ">hidden</" + k65 + "></strings>",
            "");
    ASSERT_EQ(loadStringTable(), 0);
    EXPECT_EQ(localized(k64.c_str()), "found");
    EXPECT_EQ(localized(k65.c_str()), k65);
    EXPECT_EQ(label(k64 + ":"), "found:");
}

TEST_F(LocalizeOwnTable, EmptyEntryShowsTheKey) {
    install("<strings><blank></blank></strings>", "");
    ASSERT_EQ(loadStringTable(), 0);
    EXPECT_EQ(localized("blank"), "blank");
}

TEST_F(LocalizeOwnTable, MissingTableLeavesKeys) {
    install("", "<strings><yes>Ja</yes></strings>");
    setInterfaceLanguage(0);
    EXPECT_EQ(loadStringTable(), -1) << "English has no table of its own";
    EXPECT_EQ(stringTable(), nullptr);
    EXPECT_EQ(localized("yes"), "yes");
    setInterfaceLanguage(19);
    EXPECT_EQ(loadStringTable(), 0);
    EXPECT_EQ(localized("yes"), "Ja");
    clearRegisteredResources();
    EXPECT_EQ(loadStringTable(), -1) << "the old table is dropped, not kept";
    EXPECT_EQ(localized("yes"), "yes");
}

TEST_F(LocalizeOwnTable, ResourceCopyEndsInTwoZeroBytes) {
    const char bytes[] = {'a', 'b', 'c'};
    clearRegisteredResources();
    registerResource("BLOCK", "BIN", bytes, sizeof bytes);
    char* text = loadResourceText("block", "bin", 0);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text, 5), std::string("abc\0\0", 5));
    free(text);
}
#endif

} // namespace
