// The Win32 layer on real files under Wine: known folders, attributes, names outside the ANSI
// code page, the shell, and the preferences save when the old file cannot be replaced.
#include "foundation/desktop.h"
#include "foundation/files.h"
#include "foundation/platform/win32/wide_path.h"
#include "foundation/prefs.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

namespace {

std::wstring wideOf(const std::string& utf8) {
    return fs::u8path(utf8).wstring();
}

TEST(KnownFolders, MatchTheShellWithoutTrailingSeparator) {
    const std::pair<bool (*)(char*, size_t), int> cases[] = {
        {documentsFolder, CSIDL_PERSONAL}, {localAppDataFolder, CSIDL_LOCAL_APPDATA}};
    for (const auto& c : cases) {
        wchar_t expected[MAX_PATH];
        ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, c.second, nullptr, 0, expected));
        char path[512], tiny[4] = "abc";
        ASSERT_TRUE(c.first(path, sizeof path)) << c.second;
        EXPECT_EQ(fs::path(expected).u8string(), path);
        EXPECT_NE('\\', path[strlen(path) - 1]) << path;
        EXPECT_FALSE(c.first(tiny, sizeof tiny));
        EXPECT_STREQ("abc", tiny) << "left untouched when it does not fit";
    }
}

TEST(Attributes, HiddenAndReadOnly) {
    TempFolder temp("kx-attr");
    const std::pair<DWORD, bool> cases[] = {
        {FILE_ATTRIBUTE_NORMAL, true},
        {FILE_ATTRIBUTE_HIDDEN, false},
        {FILE_ATTRIBUTE_READONLY, true},
        {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, false}};
    for (const auto& c : cases) {
        const std::string path = temp.path("file.txt");
        writeBytes(path, "x");
        ASSERT_TRUE(SetFileAttributesW(wideOf(path).c_str(), c.first));
        EXPECT_EQ(c.second, isVisibleFile(path.c_str())) << "attributes " << c.first;
        EXPECT_EQ((c.first & FILE_ATTRIBUTE_READONLY) != 0, isReadOnlyFile(path.c_str()))
            << c.first;
        EXPECT_TRUE(deleteFile(path.c_str())) << "attributes " << c.first;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(wideOf(path).c_str())) << c.first;
    }
}

TEST(WideNames, GreekAndCjkNamesMoveAndHoldTheStore) {
    TempFolder temp("kx-wide");
    const std::string greek =
        temp.path("\xCE\x94\xCE\xBF\xCE\xBA\xCE\xB9\xCE\xBC\xCE\xAE");         // Δοκιμή
    const std::string cjk = temp.path("\xE6\x96\x87\xE4\xBB\xB6\xE5\xA4\xB9"); // 文件夹
    ASSERT_TRUE(createFolder(greek.c_str()));
    ASSERT_TRUE(createFolder(cjk.c_str()));
    // The names reach the file system as these characters, not as code-page guesses.
    const std::wstring base = wideOf(temp.path());
    for (const std::wstring& expected :
         {base + L"\\\u0394\u03BF\u03BA\u03B9\u03BC\u03AE", base + L"\\\u6587\u4EF6\u5939"})
        EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY,
                  GetFileAttributesW(expected.c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    const std::string file = greek + "\\\xE9\xA0\x81\xE9\x9D\xA2.ini"; // 頁面.ini
    FILE* out = openStream(file.c_str(), "wb");
    ASSERT_NE(nullptr, out);
    fputs("[General]\r\nLogging=1\r\n", out);
    fclose(out);
    EXPECT_NE(0u, modificationTime(file.c_str()));
    char moved[512];
    strcpy(moved, cjk.c_str());
    ASSERT_TRUE(moveFile(file.c_str(), moved, sizeof moved, nullptr));
    EXPECT_EQ(cjk + "\\\xE9\xA0\x81\xE9\x9D\xA2.ini", moved);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(wideOf(moved).c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(wideOf(file).c_str()));

    CMyPrefs prefs;
    ASSERT_EQ(StoreResult::Ok, prefs.load(moved));
    ASSERT_EQ(StoreResult::Ok, prefs.setString("General", "FolderPath", greek.c_str()));
    prefs.save();
    EXPECT_EQ("[General]\r\nFolderPath=" + greek + "\r\nLogging=1\r\n", readBytes(moved));

    const char* invalid = "C:\\\xFF\xFE.ini"; // not UTF-8: absent, never some other file
    EXPECT_FALSE(fileExists(invalid));
    EXPECT_FALSE(createFolder(invalid));
    EXPECT_EQ(nullptr, openStream(invalid, "wb"));
    EXPECT_FALSE(openDocument(invalid, nullptr));
    EXPECT_FALSE(openDocument(temp.path("missing.eps").c_str(), nullptr));
    EXPECT_FALSE(openDocument(moved, temp.path("no-viewer.exe").c_str()));
}

TEST(LongPaths, AbsoluteOnesGetTheExtendedForm) {
    std::wstring deep; // 260 units of folders
    for (int i = 0; i < 13; ++i)
        deep += L"abcdefghij0123456789\\";
    std::wstring slashed = deep;
    for (wchar_t& c : slashed)
        if (c == L'\\') c = L'/';
    const std::wstring shortest(MAX_PATH - 12 - 3, L'a'); // with "C:\\": the first long length
    const struct {
        const char* name;
        std::wstring path, expected; // expected empty: the path stays as it is
    } cases[] = {
        {"short", L"C:\\Quendrel\\Kestrix.ini", L""},
        {"one below the limit", L"C:\\" + shortest.substr(1), L""},
        {"at the limit", L"C:\\" + shortest, L"\\\\?\\C:\\" + shortest},
        {"drive", L"C:\\" + deep + L"Kestrix.ini", L"\\\\?\\C:\\" + deep + L"Kestrix.ini"},
        {"slashes, dots, doubled separators", L"c:/" + slashed + L"./x/..//Kestrix.ini",
         L"\\\\?\\c:\\" + deep + L"Kestrix.ini"},
        {"share", L"\\\\server\\share\\" + deep + L"a.eps",
         L"\\\\?\\UNC\\server\\share\\" + deep + L"a.eps"},
        {"share with slashes", L"//server/share/" + slashed + L"a.eps",
         L"\\\\?\\UNC\\server\\share\\" + deep + L"a.eps"},
        {"relative", deep + L"a.eps", L""},
        {"relative upwards", L"..\\" + deep + L"a.eps", L""},
        {"rooted on the current drive", L"\\" + deep + L"a.eps", L""},
        {"relative to a drive's folder", L"C:" + deep + L"a.eps", L""},
        {"extended already", L"\\\\?\\C:\\" + deep + L"a.eps", L""},
        {"device", L"\\\\.\\C:\\" + deep + L"a.eps", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fs::path(c.expected.empty() ? c.path : c.expected).u8string(),
                  fs::path(extendedPath(c.path)).u8string())
            << c.name;

    // The file functions work on such a path (Wine does not need the form, but must take it).
    TempFolder temp("kx-long");
    std::string folder = temp.path();
    std::vector<std::string> folders;
    while (folder.size() < 300) {
        folder += "\\abcdefghij0123456789";
        ASSERT_TRUE(createFolder(folder.c_str())) << folder.size();
        folders.push_back(folder);
    }
    // The runtime's folder walk cannot go this deep, so the folders go here, deepest first.
    struct Cleanup {
        std::vector<std::string>& folders;
        ~Cleanup() {
            for (auto f = folders.rbegin(); f != folders.rend(); ++f)
                RemoveDirectoryW(extendedPath(wideOf(*f)).c_str());
        }
    } cleanup{folders};
    const std::string file = folder + "\\Kestrix.ini";
    CMyPrefs prefs;
    ASSERT_EQ(StoreResult::Ok, prefs.load(file.c_str()));
    ASSERT_EQ(StoreResult::Ok, prefs.setInt("General", "Logging", 1));
    prefs.save();
    EXPECT_FALSE(prefs.unreadable());
    EXPECT_TRUE(isVisibleFile(file.c_str()));
    EXPECT_NE(0u, modificationTime(file.c_str()));
    EXPECT_FALSE(prefs.changed());
    ASSERT_EQ(StoreResult::Ok, prefs.reload());
    EXPECT_EQ(1, prefs.getInt("General", "Logging", 0));
    char moved[512];
    strcpy(moved, temp.path().c_str());
    ASSERT_TRUE(moveFile(file.c_str(), moved, sizeof moved, nullptr));
    EXPECT_EQ("[General]\r\nLogging=1\r\n", readBytes(moved));
    EXPECT_FALSE(fileExists(file.c_str()));
    EXPECT_TRUE(deleteFile(moved));
}

int gMessages;
void countMessage(const char* key, const char*, void*) {
    gMessages += strcmp(key, "writePrefsErr") == 0;
}

TEST(AtomicSave, OldFileSurvivesWhenItCannotBeReplaced) {
    TempFolder temp("kx-save");
    const std::string path = temp.path("Kestrix.ini"), old = "[General]\r\nLogging=1\r\n";
    const struct {
        DWORD attributes, share; // share: of a handle held on the old file; ~0 for none
    } cases[] = {{FILE_ATTRIBUTE_READONLY, ~0u}, {FILE_ATTRIBUTE_NORMAL, 0}};
    setPrefsMessageHook(countMessage, nullptr);
    for (const auto& c : cases) {
        gMessages = 0;
        writeBytes(path, old);
        CMyPrefs prefs;
        ASSERT_EQ(StoreResult::Ok, prefs.load(path.c_str()));
        ASSERT_EQ(StoreResult::Ok, prefs.setInt("General", "Logging", 0));
        SetFileAttributesW(wideOf(path).c_str(), c.attributes);
        HANDLE held = c.share == ~0u ? INVALID_HANDLE_VALUE
                                     : CreateFileW(wideOf(path).c_str(), GENERIC_READ, c.share,
                                                   nullptr, OPEN_EXISTING, 0, nullptr);
        prefs.save();
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        SetFileAttributesW(wideOf(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(1, gMessages) << "attributes " << c.attributes << " share " << c.share;
        EXPECT_EQ(showBytes(old), showBytes(readBytes(path))) << c.attributes << " " << c.share;
        EXPECT_FALSE(pathExists(path + ".tmp"));
        prefs.save();
        EXPECT_EQ(showBytes("[General]\r\nLogging=0\r\n"), showBytes(readBytes(path)))
            << "memory text kept";
    }
    setPrefsMessageHook(nullptr, nullptr);
}

TEST(AtomicSave, FileLockedAtLoadIsNeverReplaced) {
    // Another program held the file without sharing it while the store read it: the store
    // starts from the defaults, and the user's settings must outlive the next save.
    TempFolder temp("kx-locked");
    const std::string path = temp.path("Kestrix.ini"), old = "[General]\r\nLogging=1\r\n";
    writeBytes(path, old);
    setPrefsMessageHook(countMessage, nullptr);
    gMessages = 0;
    HANDLE held =
        CreateFileW(wideOf(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    CMyPrefs prefs;
    ASSERT_EQ(StoreResult::Ok, prefs.load(path.c_str()));
    CloseHandle(held);
    EXPECT_TRUE(prefs.unreadable());
    EXPECT_EQ(0, prefs.getInt("General", "Logging", 0));
    ASSERT_EQ(StoreResult::Ok, prefs.setInt("General", "FolderPath", 2));
    prefs.save();
    EXPECT_EQ(showBytes(old), showBytes(readBytes(path)));
    EXPECT_EQ(0, gMessages) << "no write was tried";
    ASSERT_EQ(StoreResult::Ok, prefs.reload());
    EXPECT_FALSE(prefs.unreadable());
    EXPECT_EQ(1, prefs.getInt("General", "Logging", 0));
    setPrefsMessageHook(nullptr, nullptr);
}

} // namespace
