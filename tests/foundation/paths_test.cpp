#include "foundation/paths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct EditCase {
    const char* start;
    const char* argument;
    size_t size;
    bool ok;
    const char* expected;
};

std::string runEdit(bool (*edit)(char*, size_t, const char*), const EditCase& c) {
    char buffer[64];
    strcpy(buffer, c.start);
    bool ok = edit(buffer, c.size, c.argument);
    EXPECT_EQ(c.ok, ok) << "start \"" << c.start << "\" argument \"" << c.argument << "\"";
    return buffer;
}

TEST(PathTexts, AppendPathComponent) {
    const EditCase cases[] = {
        {"", "Kestrix", 64, true, "Kestrix"},
        {"C:\\Users\\a", "Quendrel", 64, true, "C:\\Users\\a\\Quendrel"},
        {"C:\\Users\\a\\", "Quendrel", 64, true, "C:\\Users\\a\\Quendrel"},
        {"/home/a", "Quendrel", 64, true, "/home/a/Quendrel"},
        {"/home/a/", "Quendrel", 64, true, "/home/a/Quendrel"},
        {"C:\\a", "bc", 8, true, "C:\\a\\bc"},   // exactly fills the buffer
        {"C:\\a", "bcd", 8, false, "C:\\a"},     // one byte too long: refused, unchanged
        {"C:\\ab\\", "c", 8, true, "C:\\ab\\c"}, // no separator needed, so it fits
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, runEdit(appendPathComponent, c)) << "start \"" << c.start << "\"";
}

TEST(PathTexts, AppendExtension) {
    const EditCase cases[] = {
        {"C:\\Q\\Kestrix", "txt", 64, true, "C:\\Q\\Kestrix.txt"},
        {"name.tar", "gz", 64, true, "name.tar.gz"},
        {"abcd", "ef", 8, true, "abcd.ef"},
        {"abcd", "efg", 8, false, "abcd"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, runEdit(appendExtension, c)) << "start \"" << c.start << "\"";
}

TEST(PathTexts, ReplaceExtension) {
    const EditCase cases[] = {
        {"C:\\d\\Kestrix.txt", ".ini", 64, true, "C:\\d\\Kestrix.ini"},
        {"C:\\my.folder\\Kestrix", ".ini", 64, true, "C:\\my.folder\\Kestrix.ini"},
        {"/my.folder/Kestrix", ".ini", 64, true, "/my.folder/Kestrix.ini"},
        {"archive.tar.gz", "", 64, true, "archive.tar"},
        {"C:\\d\\.profile", ".ini", 64, true, "C:\\d\\.ini"},
        {"a.b", ".long", 6, false, "a.b"},
        {"a.b", ".ini", 6, true, "a.ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, runEdit(replaceExtension, c)) << "start \"" << c.start << "\"";
}

TEST(PathTexts, FileNameOf) {
    struct Case {
        const char* path;
        bool keep;
        const char* expected;
    } cases[] = {
        {"C:\\Docs\\Quendrel\\Kestrix.ini", true, "Kestrix.ini"},
        {"C:\\Docs\\Quendrel\\Kestrix.ini", false, "Kestrix"},
        {"Kestrix.ini", false, "Kestrix"},
        {"Kestrix.ini", true, "Kestrix.ini"},
        {"/usr/share.d/page.eps", false, "page"},
        // A path not beginning with "/" splits at "\\" only.
        {"C:\\out/sub/page.pdf", false, "out/sub/page"},
        {"C:\\folder\\", true, ""},
    };
    for (const auto& c : cases) {
        char name[64] = "garbage";
        EXPECT_TRUE(fileNameOf(c.path, name, sizeof name, c.keep)) << c.path;
        EXPECT_STREQ(c.expected, name) << c.path << " keep " << c.keep;
    }
    char small[4] = "xyz";
    EXPECT_FALSE(fileNameOf("C:\\a\\long.txt", small, sizeof small, true));
    EXPECT_STREQ("", small);
}

TEST(PathTexts, StripLastComponent) {
    struct Case {
        const char* path;
        const char* expected;
    } cases[] = {
        {"C:\\Users\\a\\file.eps", "C:\\Users\\a"},
        {"C:\\Users\\a\\", "C:\\Users\\a"},
        {"file.eps", "file.eps"},
        {"/home/a/file.eps", "/home/a"},
        {"/file.eps", "/"},
    };
    for (const auto& c : cases) {
        char buffer[64];
        strcpy(buffer, c.path);
        stripLastComponent(buffer);
        EXPECT_STREQ(c.expected, buffer) << c.path;
    }
}

TEST(PathTexts, EndsWithIgnoresAsciiCaseOnly) {
    struct Case {
        const char* text;
        const char* suffix;
        bool expected;
    } cases[] = {
        {"Kestrix.INI", ".ini", true},   {"Kestrix.ini", ".ini", true}, {"ini", ".ini", false},
        {"Kestrix.inix", ".ini", false}, {"anything", "", true},        {"", "", true},
        {"\xC3\x84", "\xC3\xA4", false}, // A and a with umlaut: not ASCII, compared exactly
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, endsWith(c.text, c.suffix)) << c.text << " / " << c.suffix;
}

} // namespace
