// The housekeeping handlers in-process: language switching with the string tables of the real
// Kestrix.dll, and the preferences reload on the periodic message.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "foundation/localize.h"
#include "foundation/module.h"
#include "foundation/prefs.h"
#include "foundation/temppool.h"
#include "host/handlers.h"

namespace {

class HostMessages : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        const char* path = std::getenv("KX_DLL");
        ASSERT_NE(path, nullptr) << "KX_DLL names the library with the string tables";
        plugin_ = LoadLibraryA(path);
        ASSERT_NE(plugin_, nullptr) << "error " << GetLastError();
        setResourceModule(plugin_);
    }
    static void TearDownTestSuite() {
        setResourceModule(nullptr);
        if (plugin_) FreeLibrary(plugin_);
    }
    static HMODULE plugin_;
};
HMODULE HostMessages::plugin_ = nullptr;

int32_t sendLanguage(int16_t code) {
    KxhLanguageParams p = {{sizeof p, KXH_MSG_LANGUAGE}, code};
    return languageHandler(&p);
}

std::string localized(const char* key) {
    char text[256];
    localize(key, text, sizeof text);
    return text;
}

const char* const kEnglish = "Export pages";
const char* const kGerman = "Seiten exportieren";

TEST_F(HostMessages, LanguageCodeSelectsTheStringTable) {
    struct Case {
        int16_t code;
        int16_t language;
        const char* title;
    };
    const Case cases[] = {
        {3, 3, kGerman},  {0, 0, kEnglish},  {19, 3, kGerman}, {1, 0, kEnglish},  {2, 0, kEnglish},
        {4, 0, kEnglish}, {-1, 0, kEnglish}, {3, 3, kGerman},  {20, 0, kEnglish},
    };
    // Run in this order, each case also checks that a later message replaces the table.
    for (const Case& c : cases) {
        EXPECT_EQ(sendLanguage(c.code), 0);
        EXPECT_EQ(interfaceLanguage(), c.language) << "code " << c.code;
        EXPECT_EQ(localized("exportPagesCmd"), c.title) << "code " << c.code;
    }
}

TEST_F(HostMessages, EventDoneEmptiesTheTemporaryPool) {
    tempUtf8ToWide("one");
    tempUtf8ToWide("two");
    ASSERT_GE(temporaryStringCount(), 2u);
    KxhEventDoneParams p = {{sizeof p, KXH_MSG_EVENT_DONE}};
    EXPECT_EQ(tempStringsHandler(&p), 0);
    EXPECT_EQ(temporaryStringCount(), 0u);
}

// ---- Preferences reload on message 12 ----

std::string tempFolder() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%skx-h1-prefs-%lu", base, GetCurrentProcessId());
    CreateDirectoryA(name, nullptr);
    return name;
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// Moves the file's modification time by `seconds` from now.
void touch(const std::string& path, int seconds) {
    HANDLE f = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t;
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart += static_cast<long long>(seconds) * 10000000LL;
    FILETIME moved = {t.LowPart, t.HighPart};
    SetFileTime(f, nullptr, nullptr, &moved);
    CloseHandle(f);
}

int32_t sendPeriodic() {
    KxhPeriodicParams p = {{sizeof p, KXH_MSG_PERIODIC}};
    return prefsReloadHandler(&p);
}

TEST_F(HostMessages, PeriodicMessageReloadsOnlyALaterFile) {
    const std::string folder = tempFolder();
    const std::string file = folder + "\\Quendrel\\Kestrix.ini";
    struct Case {
        const char* name;
        int shift; // seconds the outside edit moves the file time from now
        int32_t expected;
    };
    // The store remembers the time of its last read; only a strictly later file is reloaded.
    const Case cases[] = {
        {"edited later", 30, 7},
        {"edited with an older time", -3600, 1},
    };
    for (const Case& c : cases) {
        CreateDirectoryA((folder + "\\Quendrel").c_str(), nullptr);
        writeFile(file, "[General]\r\nTracking=1\r\n");
        touch(file, -60);
        openPrefsIn(folder.c_str(), "");
        ASSERT_EQ(getPrefInt("General", "Tracking", 0), 1) << c.name;

        writeFile(file, "[General]\r\nTracking=7\r\n");
        touch(file, c.shift);
        EXPECT_EQ(sendPeriodic(), 0);
        EXPECT_EQ(getPrefInt("General", "Tracking", 0), c.expected) << c.name;
    }
    DeleteFileA(file.c_str());
    RemoveDirectoryA((folder + "\\Quendrel").c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(HostMessages, OwnSaveDoesNotCauseAReload) {
    const std::string folder = tempFolder();
    const std::string file = folder + "\\Quendrel\\Kestrix.ini";
    CreateDirectoryA((folder + "\\Quendrel").c_str(), nullptr);
    writeFile(file, "[General]\r\nJobSlug=0\r\n");
    touch(file, -60);
    openPrefsIn(folder.c_str(), "");

    ASSERT_EQ(setPrefInt("General", "JobSlug", 1), StoreResult::Ok);
    savePrefs();
    // A change only in memory: a reload would lose it.
    ASSERT_EQ(setPrefInt("General", "Tracking", 5), StoreResult::Ok);
    EXPECT_EQ(sendPeriodic(), 0);
    EXPECT_EQ(getPrefInt("General", "Tracking", 0), 5) << "reloaded after the store's own save";
    EXPECT_EQ(getPrefInt("General", "JobSlug", 0), 1);

    DeleteFileA(file.c_str());
    RemoveDirectoryA((folder + "\\Quendrel").c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace
