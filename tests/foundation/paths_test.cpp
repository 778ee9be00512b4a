#include "foundation/paths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

typedef bool (*Edit)(char*, size_t, const char*);

TEST(PathTexts, EditsInPlaceAndRefusesWhatDoesNotFit) {
    struct Case {
        Edit edit;
        const char *start, *argument;
        size_t size;
        bool ok;
        const char* expected;
    } cases[] = {
        {appendPathComponent, "", "Kestrix", 64, true, "Kestrix"},
        {appendPathComponent, "C:\\Users\\a", "Quendrel", 64, true, "C:\\Users\\a\\Quendrel"},
        {appendPathComponent, "C:\\Users\\a\\", "Quendrel", 64, true, "C:\\Users\\a\\Quendrel"},
        {appendPathComponent, "/home/a/", "Quendrel", 64, true, "/home/a/Quendrel"},
        {appendPathComponent, "C:\\a", "bc", 8, true, "C:\\a\\bc"},
        {appendPathComponent, "C:\\a", "bcd", 8, false, "C:\\a"},
        {appendExtension, "C:\\Q\\Kestrix", "txt", 64, true, "C:\\Q\\Kestrix.txt"},
        {appendExtension, "abcd", "efg", 8, false, "abcd"},
        {replaceExtension, "C:\\d\\Kestrix.txt", ".ini", 64, true, "C:\\d\\Kestrix.ini"},
        {replaceExtension, "C:\\my.folder\\Kestrix", ".ini", 64, true,
         "C:\\my.folder\\Kestrix.ini"},
        {replaceExtension, "/my.folder/Kestrix", ".ini", 64, true, "/my.folder/Kestrix.ini"},
        {replaceExtension, "archive.tar.gz", "", 64, true, "archive.tar"},
        {replaceExtension, "a.b", ".long", 6, false, "a.b"},
    };
    for (const auto& c : cases) {
        char buffer[64];
        strcpy(buffer, c.start);
        EXPECT_EQ(c.ok, c.edit(buffer, c.size, c.argument)) << c.start << " + " << c.argument;
        EXPECT_STREQ(c.expected, buffer) << c.start << " + " << c.argument;
    }
}

TEST(PathTexts, NamesAndParents) {
    struct Case {
        const char* path;
        const char *name, *bareName, *parent;
    } cases[] = {
        {"C:\\Docs\\Quendrel\\Kestrix.ini", "Kestrix.ini", "Kestrix", "C:\\Docs\\Quendrel"},
        {"Kestrix.ini", "Kestrix.ini", "Kestrix", "Kestrix.ini"},
        {"/usr/share.d/page.eps", "page.eps", "page", "/usr/share.d"},
        {"/page.eps", "page.eps", "page", "/"},
        // A path not beginning with "/" splits at "\\" only.
        {"C:\\out/sub/page.pdf", "out/sub/page.pdf", "out/sub/page", "C:"},
    };
    for (const auto& c : cases) {
        char name[64], bare[64], parent[64];
        EXPECT_TRUE(fileNameOf(c.path, name, sizeof name, true));
        EXPECT_TRUE(fileNameOf(c.path, bare, sizeof bare, false));
        strcpy(parent, c.path);
        stripLastComponent(parent);
        EXPECT_STREQ(c.name, name) << c.path;
        EXPECT_STREQ(c.bareName, bare) << c.path;
        EXPECT_STREQ(c.parent, parent) << c.path;
    }
    char small[4] = "xyz";
    EXPECT_FALSE(fileNameOf("C:\\a\\long.txt", small, sizeof small, true));
    EXPECT_STREQ("", small);
}

TEST(PathTexts, EndsWithIgnoresAsciiCaseOnly) {
    struct Case {
        const char *text, *suffix;
        bool expected;
    } cases[] = {{"Kestrix.INI", ".ini", true},
                 {"ini", ".ini", false},
                 {"Kestrix.inix", ".ini", false},
                 {"", "", true},
                 {"\xC3\x84", "\xC3\xA4", false}}; // umlauts are not ASCII: compared exactly
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, endsWith(c.text, c.suffix)) << c.text << " / " << c.suffix;
}

// Names Windows takes for one file compare equal, in the native build as under Windows: case is
// folded over the whole of Unicode, one UTF-16 unit at a time, with no other folding, and the
// trailing dots and spaces that Windows drops do not count.
TEST(PathTexts, FileNamesCompareAsWindowsDoes) {
    struct Case {
        const char *a, *b;
        int expected;
    } cases[] = {
        {"Catalog_A.pdf", "catalog_a.PDF", 0},
        {"Catalog_\xC3\x84.pdf", "catalog_\xC3\xA4.PDF", 0}, // Ä ä
        {"\xC3\xBE\xC3\xBF", "\xC3\x9E\xC5\xB8", 0},         // þÿ ÞŸ
        {"\xCE\xA3\xCE\xA9", "\xCF\x83\xCF\x89", 0},         // ΣΩ σω
        {"\xCF\x82", "\xCE\xA3", 1},                         // but the final sigma is kept apart
        {"\xD0\x96\xD0\x81", "\xD0\xB6\xD1\x91", 0},         // ЖЁ жё
        {"\xC5\x90\xC4\x8C", "\xC5\x91\xC4\x8D", 0},         // ŐČ őč
        {"\xEF\xBC\xA1", "\xEF\xBD\x81", 0},                 // fullwidth A a
        {"\xD4\xB1", "\xD5\xA1", 0},                         // Armenian Ա ա
        {"\xC4\xB1", "I", 1},                                // and so is the dotless i
        {"\xC3\x9F", "SS", 1},                               // ß is no "SS"
        {"\xC3\xA4", "a", 1},                                // nor is ä an "a"
        {"\xF0\x90\x90\x80", "\xF0\x90\x90\xA8", -1},        // beyond the BMP: kept
        {"Catalog_1. .", "catalog_1", 0},                    // Windows drops trailing dots
        {"a", "ab", -1},
        {"b", "A", 1},
    };
    auto sign = [](int32_t n) { return n < 0 ? -1 : n > 0 ? 1 : 0; };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, sign(compareFileNames(c.a, c.b))) << c.a << " / " << c.b;
        EXPECT_EQ(-c.expected, sign(compareFileNames(c.b, c.a))) << c.b << " / " << c.a;
    }
}

TEST(PathTexts, DeviceNames) {
    for (const char* name : {"CON", "con.pdf", "Nul", "aux.tar.gz", "PRN ", "prn. .", "NUL .eps",
                             "COM1", "com9.pdf", "Lpt5.Catalog.pdf", "LPT\xC2\xB9.pdf"})
        EXPECT_TRUE(isReservedDeviceName(name)) << name;
    for (const char* name : {"", "CONS", "Catalog_CON.pdf", "COM0", "COM10.pdf", "LPT", "xNUL",
                             " CON", "COM\xC2\xB4", "Con_1.pdf"})
        EXPECT_FALSE(isReservedDeviceName(name)) << name;
}

} // namespace
