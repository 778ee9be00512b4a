// The shipped string tables as files: format, matching keys and placeholders, and that the
// reader finds every entry as written.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "foundation/localize.h"
#include "shipped_tables.h"

namespace {

typedef std::vector<std::pair<std::string, std::string>> Entries;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

Entries entriesOf(const std::string& xml) {
    Entries out;
    std::regex entry("<([A-Za-z0-9_]+)>([^<]*)</\\1>");
    for (std::sregex_iterator it(xml.begin(), xml.end(), entry), end; it != end; ++it)
        out.emplace_back((*it)[1], (*it)[2]);
    return out;
}

std::string placeholders(const std::string& text) {
    std::string out;
    std::regex conversion("%[-+ #0-9.]*[a-zA-Z%]");
    for (std::sregex_iterator it(text.begin(), text.end(), conversion), end; it != end; ++it)
        out += it->str();
    return out;
}

class StringTables : public ::testing::Test {
  protected:
    void SetUp() override {
        english = readFile(sourceFile("src/resources/strings_en.xml"));
        german = readFile(sourceFile("src/resources/strings_de.xml"));
        ASSERT_FALSE(english.empty());
        ASSERT_FALSE(german.empty());
    }
    std::string english, german;
};

TEST_F(StringTables, FormatIsUtf8WithDeclarationAndRoot) {
    for (const std::string* t : {&english, &german}) {
        EXPECT_EQ(t->compare(0, 3, "\xEF\xBB\xBF"), 0) << "byte-order mark";
        EXPECT_EQ(t->compare(3, 38, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), 0);
        EXPECT_NE(t->find("<strings>"), std::string::npos);
        EXPECT_NE(t->find("</strings>"), std::string::npos);
        EXPECT_EQ(t->find('&'), std::string::npos) << "texts carry no entities";
    }
}

TEST_F(StringTables, SameKeysAndPlaceholdersInBothLanguages) {
    Entries en = entriesOf(english), de = entriesOf(german);
    std::map<std::string, std::string> enFirst, deFirst;
    std::map<std::string, int> enCount, deCount;
    for (auto& e : en) {
        enFirst.emplace(e.first, e.second);
        enCount[e.first]++;
    }
    for (auto& e : de) {
        deFirst.emplace(e.first, e.second);
        deCount[e.first]++;
    }
    EXPECT_EQ(en.size(), 56u);
    EXPECT_EQ(enCount["saveAsEPS"], 2);
    for (auto& c : enCount) {
        if (c.first != "saveAsEPS") {
            EXPECT_EQ(c.second, 1) << "English key twice: " << c.first;
        }
    }
    for (auto& c : deCount)
        EXPECT_EQ(c.second, 1) << "German key twice: " << c.first;

    for (auto& e : enFirst) {
        if (e.first == "kMissingFontWarn") {
            EXPECT_EQ(deFirst.count(e.first), 0u) << "English only";
            continue;
        }
        ASSERT_EQ(deFirst.count(e.first), 1u) << "German lacks " << e.first;
        EXPECT_EQ(placeholders(deFirst[e.first]), placeholders(e.second)) << "key " << e.first;
    }
    for (auto& e : deFirst)
        EXPECT_EQ(enFirst.count(e.first), 1u) << "English lacks " << e.first;
}

TEST_F(StringTables, TextsThatAreEasyToGetWrong) {
    std::map<std::string, std::string> en, de;
    for (auto& e : entriesOf(english))
        en.emplace(e.first, e.second);
    for (auto& e : entriesOf(german))
        de.emplace(e.first, e.second);
    struct Case {
        std::map<std::string, std::string>* table;
        const char* key;
        const char* text;
    } cases[] = {
        {&en, "kCopyOptions", " Copy"},
        {&de, "kCopyOptions", " Kopie"},
        {&en, "kProgress", "Kestrix:     Page %s"},
        {&en, "jobSlug", "Add print time (\"JobSlug\")"},
        {&de, "overwriteSetting",
         "Warnung beim \xC3\x9C"
         "berschreiben der Ausgabedateien"},
        {&de, "tracking",
         "Tracking (\xC3\x96"
         "ffnen, Speichern, Ausgabe)"},
        {&de, "kFontCorrupt",
         "Die Schrift %s ist besch\xC3\xA4"
         "digt oder fehlt!"},
        {&de, "noValidPageNum", "Keine g\xC3\xBCltige Seitennummer"},
        {&en, "overflowErr", "Text overflow! Continue anyway?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ((*c.table)[c.key], c.text) << "key " << c.key;
}

// Through the real lookup: every entry comes back exactly as written (the first of a pair).
TEST_F(StringTables, ReaderReturnsEveryEntry) {
    ASSERT_TRUE(useShippedTables());
    struct Language {
        int16_t host;
        const std::string* xml;
    } languages[] = {{0, &english}, {3, &german}};
    for (const Language& l : languages) {
        setInterfaceLanguage(l.host);
        ASSERT_EQ(loadStringTable(), 0);
        std::map<std::string, bool> seen;
        for (auto& e : entriesOf(*l.xml)) {
            if (seen[e.first]) continue;
            seen[e.first] = true;
            char dest[kLocalizedSize];
            localize(e.first.c_str(), dest);
            EXPECT_EQ(std::string(dest), e.second) << "key " << e.first << ", host " << l.host;
        }
    }
    unloadStringTable();
    setInterfaceLanguage(0);
}

} // namespace
