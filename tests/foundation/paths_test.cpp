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

} // namespace
