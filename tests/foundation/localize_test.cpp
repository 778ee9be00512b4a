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

std::string label(std::string key, size_t destSize = kLocalizedSize) {
    std::string dest(destSize + 8, '#');
    localizeLabel(&key[0], &dest[0], destSize);
    EXPECT_EQ(dest.substr(destSize), "########") << "wrote past the destination";
    return dest.c_str();
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
    EXPECT_EQ(wideToUtf8(localizeLabelWide("options:")), "options:");
}

TEST_F(Localize, HostLanguageChoosesTheTable) {
    struct Case {
        int16_t host, language;
        const char* yes;
    } cases[] = {{0, 0, "Yes"}, {1, 0, "Yes"},  {3, 3, "Ja"},  {19, 3, "Ja"},
                 {4, 0, "Yes"}, {18, 0, "Yes"}, {-1, 0, "Yes"}};
    for (const Case& c : cases) {
        announce(c.host);
        EXPECT_EQ(interfaceLanguage(), c.language) << "host language " << c.host;
        EXPECT_EQ(localized("yes"), c.yes) << "host language " << c.host;
    }
}

TEST_F(Localize, LabelsKeepTrailingPunctuation) {
    struct Case {
        int16_t host;
        const char *key, *expected;
    } cases[] = {
        {0, "saveAsEPS", "Save Page(s) as EPS"},
        {0, "YES", "Yes"},
        {3, "notAKey", "notAKey"}, // a key no table holds shows as itself
        {0, "deleteTracking?", "Delete Tracking?"},
        {3, "deleteTracking?", "Tracking l\xC3\xB6schen?"},
        {0, "options:", "Options:"},
        {3, "options:", "Optionen:"},
        {0, "kDefault\xE2\x80\xA6", "Default\xE2\x80\xA6"},
        {3, "kDefault\xE2\x80\xA6", "Standard\xE2\x80\xA6"},
        {0, "notAKey:", "notAKey:"},
        {0, "\xE2\x80\xA6", "\xE2\x80\xA6"},
        {0, "", ""},
    };
    for (const Case& c : cases) {
        announce(c.host);
        EXPECT_EQ(label(c.key), c.expected) << "key " << c.key << ", host " << c.host;
        EXPECT_EQ(wideToUtf8(localizeLabelWide(c.key)), c.expected)
            << "wide, key " << c.key << ", host " << c.host;
    }
    char key[] = "options:", dest[kLocalizedSize];
    localizeLabel(key, dest);
    EXPECT_STREQ(key, "options") << "the caller's buffer is cut";
}

TEST_F(Localize, LongKeysNeverOverrunTheDestination) {
    announce(0);
    std::string umlauts;
    for (int i = 0; i < 100; i++)
        umlauts += "\xC3\x9C";
    struct Case {
        std::string key;
        size_t destSize;
        std::string expected;
    } cases[] = {
        {std::string(300, 'k'), 256, std::string(255, 'k')},
        {std::string(300, 'k') + ":", 256, std::string(254, 'k') + ":"},
        {std::string(300, 'k') + "\xE2\x80\xA6", 256, std::string(252, 'k') + "\xE2\x80\xA6"},
        {umlauts, 10, umlauts.substr(0, 8)}, // never half a UTF-8 character
        {"options:", 5, "Opt:"},
    };
    for (Case& c : cases)
        EXPECT_EQ(label(c.key, c.destSize), c.expected) << "dest size " << c.destSize;
}

TEST_F(Localize, ResourceLookupFollowsTheLanguageSuffixRule) {
    struct Case {
        std::string name;
        const char* type;
        int16_t language;
        const char* contains; // null: no resource
    } cases[] = {
        {"MyStrings", "xml", 3, "<yes>Ja</yes>"},
        {"MyStrings", "xml", 0, "<yes>Yes</yes>"},
        {"MyStrings", "xml", 1, "<yes>Yes</yes>"},
        {"mystrings_d", "XML", 0, "<yes>Ja</yes>"},
        {"MYSTRINGS_E", "Xml", 3, "<yes>Yes</yes>"},
        {"MyStrings", "dialog", 0, nullptr},
        {"Nothing", "xml", 3, nullptr},
        {std::string(300, 'M'), "xml", 3, nullptr},
    };
    for (const Case& c : cases) {
        char* text = loadResourceText(c.name.c_str(), c.type, c.language);
        EXPECT_EQ(text != nullptr, c.contains != nullptr) << c.name << "/" << c.type;
        if (text && c.contains) {
            EXPECT_NE(strstr(text, c.contains), nullptr) << c.name << " lacks " << c.contains;
            EXPECT_EQ(memcmp(text, "\xEF\xBB\xBF<?xml", 8), 0) << "bytes kept as stored";
        }
        free(text);
    }
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
TEST(LocalizeOwnTable, KeyLengthLimitsAndMissingTables) {
    std::string k64(64, 'a'), k65(65, 'b');
    std::string english = "<strings><" + k64 + ">found</" + k64 + "><" + k65 + ">hidden</" + k65 +
                          "><blank></blank></strings>";
    std::string german = "<strings><yes>Ja</yes></strings>";
    clearRegisteredResources();
    registerResource("MYSTRINGS_E", "XML", english.data(), english.size());
    setInterfaceLanguage(0);
    ASSERT_EQ(loadStringTable(), 0);
    EXPECT_EQ(localized(k64.c_str()), "found");
    EXPECT_EQ(localized(k65.c_str()), k65);
    EXPECT_EQ(label(k64 + ":"), "found:");
    EXPECT_EQ(localized("blank"), "blank") << "an empty entry shows the key";

    clearRegisteredResources();
    registerResource("MYSTRINGS_D", "XML", german.data(), german.size());
    EXPECT_EQ(loadStringTable(), -1) << "English has no table of its own";
    EXPECT_EQ(stringTable(), nullptr) << "the old table is dropped, not kept";
    EXPECT_EQ(localized("yes"), "yes");
    setInterfaceLanguage(19);
    EXPECT_EQ(loadStringTable(), 0);
    EXPECT_EQ(localized("yes"), "Ja");

    const char bytes[] = {'a', 'b', 'c'};
    registerResource("BLOCK", "BIN", bytes, sizeof bytes);
    char* text = loadResourceText("block", "bin", 0);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text, 5), std::string("abc\0\0", 5)) << "two zero bytes behind";
    free(text);
    unloadStringTable();
    clearRegisteredResources();
    setInterfaceLanguage(0);
}
#endif

} // namespace
