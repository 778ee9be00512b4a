// A preferences file that cannot be written is reported in the plug-in's own message box, with
// the file's path, however long, as the detail line; a good save shows nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "dialogs/dialog_test_support.h"
#include "dialogs/message_box.h"
#include "foundation/prefs.h"
#include "foundation/temp_folder.h"
#include "host/prefs_messages.h"

namespace {

TEST(PrefsMessages, FailedSaveShowsTheKeyAndThePath) {
    useLanguage(0);
    installPrefsMessages();
    TempFolder temp("kx-prefs-message");
    struct Case {
        const char* name;
        std::string path;
        bool shown; // a box with "writePrefsErr" and the path
    } cases[] = {
        {"folder missing", temp.path("missing/Kestrix.ini"), true},
        {"path of 600 bytes", temp.path(std::string(580, 'm') + "/Kestrix.ini"), true},
        {"writable", temp.path("Kestrix.ini"), false},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(StoreResult::Ok, loadPrefs(c.path.c_str())) << c.name;
        ASSERT_EQ(StoreResult::Ok, setPrefInt("General", "Logging", 1)) << c.name;
        bool seen = false;
        std::string text;
        whileModal(
            [] {
                savePrefs();
                return INT_PTR(0);
            },
            [&](HWND box) {
                seen = true;
                text = windowText(GetDlgItem(box, kMessageTextId));
                SendMessageW(GetDlgItem(box, 1), BM_CLICK, 0, 0);
            },
            3000);
        EXPECT_EQ(c.shown, seen) << c.name;
        // The box breaks a long path over lines; the breaks are not part of the message.
        for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
            text.erase(at, 2);
        EXPECT_EQ(c.shown ? "The preferences could not be saved:\r\r" + c.path : "", text)
            << c.name;
        EXPECT_EQ(!c.shown, pathExists(c.path)) << c.name;
    }
    setPrefsMessageHook(nullptr, nullptr);
}

TEST(PrefsMessages, AFileStartUpCouldNotReadIsShownOnceTheBoxIsConnected) {
    // Start-up reads the store before the message box exists.
    useLanguage(0);
    setPrefsMessageHook(nullptr, nullptr);
    TempFolder temp("kx-prefs-unreadable");
    const std::string path = temp.path("Kestrix.ini");
    fs::create_directory(fs::u8path(path)); // a folder where the file belongs
    ASSERT_EQ(StoreResult::Ok, loadPrefs(path.c_str()));
    std::string text;
    whileModal(
        [] {
            installPrefsMessages();
            return INT_PTR(0);
        },
        [&](HWND box) {
            text = windowText(GetDlgItem(box, kMessageTextId));
            SendMessageW(GetDlgItem(box, 1), BM_CLICK, 0, 0);
        },
        3000);
    EXPECT_EQ(std::string::npos, text.find("readPrefsErr")) << "a text of the table: " << text;
    ASSERT_GT(text.size(), path.size() + 2) << text;
    EXPECT_EQ("\r\r" + path, text.substr(text.size() - path.size() - 2)) << text;
    setPrefsMessageHook(nullptr, nullptr);
    loadPrefs("");
}

} // namespace
