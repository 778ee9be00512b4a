// The message box as the user sees it: texts and buttons in both languages, the detail line,
// growth for long texts, the answers, and the focus handed back afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "dialogs/message_box.h"

namespace {

// What the box showed, read while it was up.
struct Seen {
    std::string caption, text, button1, button2;
    bool button2Visible = false;
    RECT box{}, textRect{}, button1Rect{}, button2Rect{};
};

enum Press { PressButton1, PressButton2, CloseBox, CancelCommand };

void answer(HWND box, Press how) {
    switch (how) {
    case PressButton1:
        SendMessageW(GetDlgItem(box, 1), BM_CLICK, 0, 0);
        break;
    case PressButton2:
        SendMessageW(GetDlgItem(box, 2), BM_CLICK, 0, 0);
        break;
    case CloseBox:
        SendMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case CancelCommand:
        SendMessageW(box, WM_COMMAND, IDCANCEL, 0);
        break; // Escape
    }
}

// The line breaks the box puts into words too long for a line are layout, not text.
std::string unbroken(std::string text) {
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 2);
    return text;
}

int16_t showAndRead(const std::function<int16_t()>& show, Press how, Seen& seen) {
    return int16_t(whileModal([&] { return show(); },
                              [&](HWND box) {
                                  HWND b1 = GetDlgItem(box, 1), b2 = GetDlgItem(box, 2);
                                  seen.caption = windowText(box);
                                  seen.text = unbroken(windowText(GetDlgItem(box, kMessageTextId)));
                                  seen.button1 = windowText(b1);
                                  seen.button2 = windowText(b2);
                                  seen.button2Visible = IsWindowVisible(b2);
                                  GetWindowRect(box, &seen.box);
                                  seen.textRect = rectInParent(GetDlgItem(box, kMessageTextId));
                                  seen.button1Rect = rectInParent(b1);
                                  seen.button2Rect = rectInParent(b2);
                                  answer(box, how);
                              }));
}

struct Case {
    const char* name;
    int language;
    std::function<int16_t()> show;
    const char* text;
    const char* button1;
    const char* button2; // null: hidden
    Press how;
    int16_t result; // 0: a message, no answer
};

TEST(MessageBoxDialog, TextsButtonsAndAnswers) {
    const Case cases[] = {
        {"English message", 0,
         [] {
             showMessage("noValidPageNum");
             return int16_t(0);
         },
         "Invalid page range!", "OK", nullptr, PressButton1, 0},
        {"German message", 3,
         [] {
             showMessage("noValidPageNum");
             return int16_t(0);
         },
         "Ung\xC3\xBCltiger Seitenbereich!", "OK", nullptr, PressButton1, 0},
        {"English question with detail", 0,
         [] {
             setMessageDetail("%s", "C:\\Jobs\\Catalog\\page 1.pdf");
             return int16_t(askYesNo("overwriteWarning"));
         },
         "The output file already exists! Overwrite?\r\rC:\\Jobs\\Catalog\\page 1.pdf", "Yes", "No",
         PressButton2, int16_t(Answer::No)},
        {"German question answered yes", 3, [] { return int16_t(askYesNo("overwriteWarning")); },
         "Die Ausgabedatei existiert bereits! \xC3\x9C"
         "berschreiben?",
         "Ja", "Nein", PressButton1, int16_t(Answer::Yes)},
        {"close box answers no", 0, [] { return int16_t(askYesNo("overwriteWarning")); },
         "The output file already exists! Overwrite?", "Yes", "No", CloseBox, int16_t(Answer::No)},
        {"Escape answers no", 3, [] { return int16_t(askYesNo("deleteTracking")); },
         "Tracking l\xC3\xB6schen", "Ja", "Nein", CancelCommand, int16_t(Answer::No)},
        {"a literal format", 0, [] { return int16_t(askYesNo("%d-%d", 1, 5)); }, "1-5", "Yes", "No",
         PressButton1, int16_t(Answer::Yes)},
        {"a key without entry shows itself", 0,
         [] {
             showMessage("fnfErr");
             return int16_t(0);
         },
         "fnfErr", "OK", nullptr, PressButton1, 0},
        {"a table text with arguments", 3,
         [] {
             showMessage("kWriteToDisk", 28);
             return int16_t(0);
         },
         "Fehler 28 beim Schreiben auf die Festplatte!", "OK", nullptr, PressButton1, 0},
        {"200 bytes are cut and not formatted", 0,
         [] {
             showMessage(std::string(100, '%').append(100, 'd').c_str(), 1);
             return int16_t(0);
         },
         nullptr, "OK", nullptr, PressButton1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useLanguage(c.language);
        Seen seen;
        int16_t result = showAndRead(c.show, c.how, seen);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(seen.caption, "Kestrix");
        if (c.text) {
            EXPECT_EQ(seen.text, c.text);
        }
        EXPECT_EQ(seen.button1, c.button1);
        EXPECT_EQ(seen.button2Visible, c.button2 != nullptr);
        if (c.button2) {
            EXPECT_EQ(seen.button2, c.button2);
            EXPECT_LT(seen.button2Rect.right, seen.button1Rect.left) << "Yes stands at the right";
        }
    }
    useLanguage(0);
}

TEST(MessageBoxDialog, LongFormatsAreShownCutAndUnformatted) {
    struct Case {
        std::string format;
        std::string shown;
    } cases[] = {
        {std::string(100, '%') + std::string(100, 'd'),
         std::string(100, '%') + std::string(100, 'd') + "\xE2\x80\xA6"},
        {std::string(199, 'x') + "%d", std::string(199, 'x') + "%\xE2\x80\xA6"},
        // 199 bytes: still a format.
        {std::string(197, 'y') + "%d", std::string(197, 'y') + "42"},
        // A character that would be split at byte 200 is left out whole.
        {std::string(199, 'z') + "\xC3\xBC", std::string(199, 'z') + "\xE2\x80\xA6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.format.size()) + " bytes");
        Seen seen;
        showAndRead([&] { return int16_t(askYesNo(c.format.c_str(), 42)); }, PressButton1, seen);
        EXPECT_EQ(seen.text, c.shown);
    }
}

TEST(MessageBoxDialog, DetailBelongsToTheNextBoxOnly) {
    Seen first, second;
    setMessageDetail("detail %d", 1);
    showAndRead([] { return int16_t(askYesNo("overwriteWarning")); }, PressButton1, first);
    showAndRead([] { return int16_t(askYesNo("overwriteWarning")); }, PressButton1, second);
    EXPECT_EQ(first.text, "The output file already exists! Overwrite?\r\rdetail 1");
    EXPECT_EQ(second.text, "The output file already exists! Overwrite?");
}

int height(const RECT& r) {
    return r.bottom - r.top;
}

TEST(MessageBoxDialog, GrowsDownwardsWithItsText) {
    Seen small, large;
    showAndRead([] { return int16_t(askYesNo("overwriteWarning")); }, PressButton1, small);
    std::string path = "C:\\Jobs";
    for (int i = 0; i < 20; ++i)
        path += "\\Folder number " + std::to_string(i);
    setMessageDetail("%s", path.c_str());
    showAndRead([] { return int16_t(askYesNo("overwriteWarning")); }, PressButton1, large);

    int extra = height(large.textRect) - height(small.textRect);
    EXPECT_GT(extra, 3 * height(small.textRect)) << "the long path wraps over several lines";
    EXPECT_EQ(height(large.box) - height(small.box), extra);
    EXPECT_EQ(large.button1Rect.top - small.button1Rect.top, extra);
    EXPECT_EQ(large.button2Rect.top - small.button2Rect.top, extra);
    EXPECT_EQ(large.textRect.top, small.textRect.top);
    EXPECT_GE(large.button1Rect.top, large.textRect.bottom) << "buttons stay below the text";
    // Placed a quarter of the free height from the top, centred across.
    EXPECT_EQ(large.box.left,
              (GetSystemMetrics(SM_CXSCREEN) - (large.box.right - large.box.left)) / 2);
    EXPECT_EQ(large.box.top, (GetSystemMetrics(SM_CYSCREEN) - height(large.box)) / 4);
}

// A file name longer than the box is wide is broken over lines, every line fits the field and
// the field is tall enough for all of them: the extension stays visible.
TEST(MessageBoxDialog, LongFileNameIsShownWhole) {
    useLanguage(0);
    std::string name(160, 'n');
    name += "_012.pdf";
    setMessageDetail("%s", name.c_str());
    std::wstring shown;
    RECT field{};
    std::vector<int> lineWidths;
    int needed = 0;
    whileModal([] { return INT_PTR(askYesNo("overwriteWarning")); },
               [&](HWND box) {
                   HWND text = GetDlgItem(box, kMessageTextId);
                   int length = GetWindowTextLengthW(text);
                   shown.assign(size_t(length) + 1, L'\0');
                   GetWindowTextW(text, shown.data(), length + 1);
                   shown.resize(size_t(length));
                   GetClientRect(text, &field);
                   HDC dc = GetDC(text);
                   HGDIOBJ old = SelectObject(
                       dc, reinterpret_cast<HGDIOBJ>(SendMessageW(text, WM_GETFONT, 0, 0)));
                   RECT all = field;
                   DrawTextW(dc, shown.c_str(), length, &all, DT_CALCRECT | DT_WORDBREAK);
                   needed = all.bottom - all.top;
                   size_t start = 0;
                   while (start <= shown.size()) {
                       size_t end = shown.find_first_of(L"\r\n", start);
                       if (end == std::wstring::npos) end = shown.size();
                       SIZE size{};
                       GetTextExtentPoint32W(dc, shown.c_str() + start, int(end - start), &size);
                       lineWidths.push_back(size.cx);
                       start = end + 1;
                   }
                   SelectObject(dc, old);
                   ReleaseDC(text, dc);
                   answer(box, PressButton1);
               });
    std::wstring joined;
    for (wchar_t c : shown)
        if (c != L'\n') joined += c;
    size_t cut;
    while ((cut = joined.find(L"\r", joined.find(L"\r\r") + 2)) != std::wstring::npos)
        joined.erase(cut, 1);
    EXPECT_EQ(L"The output file already exists! Overwrite?\r\r" +
                  std::wstring(name.begin(), name.end()),
              joined);
    for (int width : lineWidths)
        EXPECT_LE(width, field.right - field.left) << "a line wider than the field is clipped";
    EXPECT_GE(field.bottom - field.top, needed) << "the field holds every line";
}

TEST(MessageBoxDialog, FocusReturnsWithItsTextSelected) {
    HWND host = testHostWindow();
    HWND field = CreateWindowExW(0, L"Edit", L"page range", WS_CHILD | WS_VISIBLE, 5, 5, 200, 20,
                                 host, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(host);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 2, 2);
    bool hostEnabledInside = true;
    whileModal(
        [] {
            showMessage("noValidPageNum");
            return INT_PTR(0);
        },
        [&](HWND box) {
            hostEnabledInside = IsWindowEnabled(host);
            answer(box, PressButton1);
        });
    EXPECT_FALSE(hostEnabledInside);
    EXPECT_TRUE(IsWindowEnabled(host));
    EXPECT_EQ(GetFocus(), field);
    DWORD from = 99, to = 99;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 10u);
    DestroyWindow(field);
}

} // namespace
