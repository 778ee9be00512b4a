// The Win32 layer on real files under Wine: known folders, attributes, names outside the ANSI
// code page, and the preferences save when the old file cannot be replaced.
#include "foundation/files.h"
#include "foundation/prefs.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string utf8Of(const std::wstring& wide) {
    return std::filesystem::path(wide).u8string();
}

std::wstring wideOf(const std::string& utf8) {
    return std::filesystem::u8path(utf8).wstring();
}

TEST(KnownFolders, MatchTheShellAndHaveNoTrailingSeparator) {
    struct Case {
        bool (*get)(char*, size_t);
        int csidl;
    } cases[] = {{documentsFolder, CSIDL_PERSONAL}, {localAppDataFolder, CSIDL_LOCAL_APPDATA}};
    for (const auto& c : cases) {
        wchar_t expected[MAX_PATH];
        ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, c.csidl, nullptr, 0, expected));
        char path[512] = "untouched";
        ASSERT_TRUE(c.get(path, sizeof path)) << c.csidl;
        EXPECT_EQ(utf8Of(expected), path);
        EXPECT_NE('\\', path[strlen(path) - 1]) << path;
        EXPECT_TRUE(fileExists(path)) << path;
        char tiny[4] = "abc";
        EXPECT_FALSE(c.get(tiny, sizeof tiny));
        EXPECT_STREQ("abc", tiny) << "left untouched when it does not fit";
    }
}

TEST(Attributes, HiddenAndReadOnly) {
    TempFolder temp("kx-attr");
    struct Case {
        const char* name;
        DWORD attributes;
        bool visible;
    } cases[] = {
        {"plain.txt", FILE_ATTRIBUTE_NORMAL, true},
        {"hidden.txt", FILE_ATTRIBUTE_HIDDEN, false},
        {"readonly.txt", FILE_ATTRIBUTE_READONLY, true},
        {"both.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, false},
    };
    for (const auto& c : cases) {
        const std::string path = temp.path(c.name);
        writeBytes(path, "x");
        ASSERT_TRUE(SetFileAttributesW(wideOf(path).c_str(), c.attributes)) << c.name;
        EXPECT_TRUE(fileExists(path.c_str())) << c.name;
        EXPECT_EQ(c.visible, isVisibleFile(path.c_str())) << c.name;
        EXPECT_TRUE(deleteFile(path.c_str())) << c.name;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(wideOf(path).c_str())) << c.name;
    }
}

TEST(WideNames, GreekAndCjkNamesWork) {
    TempFolder temp("kx-wide");
    const std::string greek =
        temp.path("\xCE\x94\xCE\xBF\xCE\xBA\xCE\xB9\xCE\xBC\xCE\xAE");         // Δοκιμή
    const std::string cjk = temp.path("\xE6\x96\x87\xE4\xBB\xB6\xE5\xA4\xB9"); // 文件夹
    ASSERT_TRUE(createFolder(greek.c_str()));
    ASSERT_TRUE(createFolder(cjk.c_str()));
    // The names reach the file system as the intended characters, not as code-page guesses.
    const std::wstring base = wideOf(temp.path());
    for (const std::wstring& expected :
         {base + L"\\\u0394\u03BF\u03BA\u03B9\u03BC\u03AE", base + L"\\\u6587\u4EF6\u5939"}) {
        DWORD attributes = GetFileAttributesW(expected.c_str());
        EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES &&
                    (attributes & FILE_ATTRIBUTE_DIRECTORY))
            << utf8Of(expected);
    }

    const std::string name = "\xE9\xA0\x81\xE9\x9D\xA2.ini"; // 頁面.ini
    const std::string file = greek + "\\" + name;
    FILE* out = openStream(file.c_str(), "wb");
    ASSERT_NE(nullptr, out);
    fputs("[General]\r\nLogging=1\r\n", out);
    fclose(out);
    EXPECT_TRUE(isVisibleFile(file.c_str()));
    EXPECT_NE(0u, modificationTime(file.c_str()));

    char destination[512];
    strcpy(destination, cjk.c_str());
    ASSERT_TRUE(moveFile(file.c_str(), destination, sizeof destination, nullptr));
    EXPECT_EQ(cjk + "\\" + name, destination);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(wideOf(destination).c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(wideOf(file).c_str()));

    CMyPrefs prefs;
    ASSERT_EQ(0, prefs.load(destination));
    EXPECT_EQ(1, prefs.getInt("General", "Logging", 0));
    ASSERT_EQ(0, prefs.setString("General", "FolderPath", greek.c_str()));
    ASSERT_EQ(0, prefs.save());
    EXPECT_EQ("[General]\r\nFolderPath=" + greek + "\r\nLogging=1\r\n", readBytes(destination));
    EXPECT_TRUE(deleteFile(destination));
}

TEST(WideNames, InvalidUtf8CountsAsAbsent) {
    const char* bad = "C:\\\xFF\xFE.ini";
    EXPECT_FALSE(fileExists(bad));
    EXPECT_FALSE(createFolder(bad));
    EXPECT_EQ(nullptr, openStream(bad, "wb"));
    EXPECT_EQ(0u, modificationTime(bad));
}

std::vector<std::pair<std::string, std::string>> gMessages;
void recordMessage(const char* key, const char* detail, void*) {
    gMessages.emplace_back(key, detail);
}

TEST(AtomicSave, OldFileSurvivesWhenItCannotBeReplaced) {
    TempFolder temp("kx-save");
    const std::string path = temp.path("Kestrix.ini");
    const std::string old = "[General]\r\nLogging=1\r\n";
    struct Case {
        const char* name;
        DWORD attributes;
        DWORD share; // of a handle held open on the old file during the save; ~0 for none
    } cases[] = {
        {"read-only file", FILE_ATTRIBUTE_READONLY, ~0u},
        {"file held open without sharing", FILE_ATTRIBUTE_NORMAL, 0},
    };
    setPrefsMessageHook(recordMessage, nullptr);
    for (const auto& c : cases) {
        gMessages.clear();
        SetFileAttributesW(wideOf(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        writeBytes(path, old);
        CMyPrefs prefs;
        ASSERT_EQ(0, prefs.load(path.c_str()));
        ASSERT_EQ(0, prefs.setInt("General", "Logging", 0));
        SetFileAttributesW(wideOf(path).c_str(), c.attributes);
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.share != ~0u)
            held = CreateFileW(wideOf(path).c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_EQ(0, prefs.save()) << c.name;
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        ASSERT_EQ(1u, gMessages.size()) << c.name;
        EXPECT_EQ("writePrefsErr", gMessages[0].first) << c.name;
        EXPECT_EQ(path, gMessages[0].second) << c.name;
        EXPECT_EQ(showBytes(old), showBytes(readBytes(path))) << c.name;
        EXPECT_FALSE(pathExists(path + ".tmp")) << c.name;
        EXPECT_EQ(0, prefs.getInt("General", "Logging", -1)) << c.name << ": memory text kept";

        SetFileAttributesW(wideOf(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(0, prefs.save());
        EXPECT_EQ(1u, gMessages.size()) << c.name << ": the later save succeeds";
        EXPECT_EQ(showBytes("[General]\r\nLogging=0\r\n"), showBytes(readBytes(path))) << c.name;
    }
    setPrefsMessageHook(nullptr, nullptr);
}

} // namespace
