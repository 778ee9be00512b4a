// The shipped string tables as files: format, matching keys and placeholders, exact texts,
// and that the reader returns every entry as written.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "foundation/localize.h"
#include "shipped_tables.h"

namespace {

typedef std::multimap<std::string, std::string> Entries;

Entries entriesOf(const std::string& xml) {
    Entries out;
    std::regex entry("<([A-Za-z0-9_]+)>([^<]*)</\\1>");
    for (std::sregex_iterator it(xml.begin(), xml.end(), entry), end; it != end; ++it)
        out.emplace((*it)[1], (*it)[2]);
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
        for (auto* t : {&english, &german}) {
            std::ifstream in(sourceFile(t == &english ? "src/resources/strings_en.xml"
                                                      : "src/resources/strings_de.xml"),
                             std::ios::binary);
            std::stringstream s;
            s << in.rdbuf();
            *t = s.str();
            ASSERT_FALSE(t->empty());
        }
    }
    std::string english, german;
};

TEST_F(StringTables, FormatKeysAndPlaceholders) {
    for (const std::string* t : {&english, &german}) {
        EXPECT_EQ(t->compare(0, 41, "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), 0);
        EXPECT_NE(t->find("\n<strings>\n"), std::string::npos);
        EXPECT_NE(t->find("</strings>"), std::string::npos);
        EXPECT_EQ(t->find('&'), std::string::npos) << "texts carry no entities";
    }
    Entries en = entriesOf(english), de = entriesOf(german);
    // Keys are only ever added: fewer means one was lost.
    EXPECT_GE(en.size(), 57u);
    // Each key once in each table (a second entry is never shown), and both tables hold the
    // same keys: a key missing from one shows as the key itself.
    for (auto& e : en) {
        EXPECT_EQ(en.count(e.first), 1u) << "English key " << e.first;
        EXPECT_EQ(de.count(e.first), 1u) << "German key " << e.first;
        auto g = de.find(e.first);
        if (g != de.end()) {
            EXPECT_EQ(placeholders(g->second), placeholders(e.second)) << "key " << e.first;
        }
    }
    for (auto& g : de) {
        EXPECT_EQ(de.count(g.first), 1u) << "German key " << g.first;
        EXPECT_EQ(en.count(g.first), 1u) << "English key " << g.first;
    }

    auto first = [](const Entries& t, const char* key) { return t.find(key)->second; };
    EXPECT_EQ(first(en, "kProgress"), "Kestrix:     Page %s");
    EXPECT_EQ(first(en, "jobSlug"), "Add print time (\"JobSlug\")");
    EXPECT_EQ(first(de, "kCopyOptions"), " Kopie");
    EXPECT_EQ(first(de, "overwriteWarning"), "Die Ausgabedatei existiert bereits! \xC3\x9C"
                                             "berschreiben?");
    EXPECT_EQ(first(de, "tracking"), "Tracking (\xC3\x96"
                                     "ffnen, Speichern, Ausgabe)");
    EXPECT_EQ(first(de, "kFontCorrupt"), "Die Schrift %s ist besch\xC3\xA4"
                                         "digt oder fehlt!");
}

TEST_F(StringTables, ReaderReturnsEveryEntry) {
    ASSERT_TRUE(useShippedTables());
    for (int16_t host : {0, 3}) {
        setInterfaceLanguage(host);
        ASSERT_EQ(loadStringTable(), 0);
        std::string xml = host == 3 ? german : english;
        // entriesOf keeps the order of the file among equal keys: the first is the one found.
        Entries entries = entriesOf(xml);
        for (auto it = entries.begin(); it != entries.end(); it = entries.upper_bound(it->first)) {
            char dest[kLocalizedSize];
            localize(it->first.c_str(), dest);
            EXPECT_EQ(std::string(dest), it->second) << "key " << it->first << ", host " << host;
        }
    }
    unloadStringTable();
    setInterfaceLanguage(0);
}

} // namespace
