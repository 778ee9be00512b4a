// Conversions and the date stamp against the system's own functions under Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "foundation/encoding.h"
#include "foundation/temppool.h"

namespace {

TEST(WinUtf8, RefusesWhatTheSystemRefuses) {
    const char* inputs[] = {
        "plain",
        "\xC3\x9C"
        "ber",
        "\xF0\x9F\x98\x80",
        "\xFF",
        "\xC0\xAF",
        "\xED\xA0\x80",
        "\xE2\x82",
        "\xF4\x90\x80\x80",
        "\x80"
        "abc",
        "ab\xC3",
        "\xEF\xBF\xBD",
        "\xE0\x80\x80",
        "\xF8\x88\x80\x80\x80",
    };
    for (const char* in : inputs) {
        int n = static_cast<int>(strlen(in));
        wchar_t system[32];
        int written = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, in, n, system, 32);
        WideText ours;
        bool ok = narrowToWide(in, n, kCodePageUtf8, ours);
        EXPECT_EQ(ok, written > 0) << "input " << in;
        if (ok && written > 0) {
            EXPECT_EQ(ours, std::wstring(system, written)) << "input " << in;
        }
    }
}

TEST(WinAnsi, EveryByteOfTheCodePageRoundTrips) {
    CPINFO info;
    ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
    if (info.MaxCharSize != 1) GTEST_SKIP() << "double-byte ANSI code page " << GetACP();
    for (int b = 0x20; b <= 0xFF; b++) {
        char in[2] = {static_cast<char>(b), 0};
        WideText wide;
        ASSERT_TRUE(narrowToWide(in, 1, kCodePageAnsi, wide)) << "byte " << b;
        char back[4];
        EXPECT_EQ(wideToNarrow(wide.c_str(), -1, back, sizeof back, kCodePageAnsi), 1);
        EXPECT_EQ(static_cast<unsigned char>(back[0]), b) << "code page " << GetACP();
    }
}

TEST(WinAnsi, UnmappableCharactersDoNotOverrun) {
    // CJK characters are not in a single-byte ANSI page; the default character takes their place.
    const wchar_t text[] = L"\x4E2D\x6587 file";
    char buffer[6];
    memset(buffer, '#', sizeof buffer);
    int32_t n = wideToNarrow(text, -1, buffer, 5, kCodePageAnsi);
    EXPECT_EQ(n, 4);
    EXPECT_EQ(buffer[4], '\0');
    EXPECT_EQ(buffer[5], '#') << "wrote past the given size";
}

TEST(WinDateStamp, LocaleDateCommaTimeSuffix) {
    // Read the expected stamp around ours; a second boundary in between only makes us retry.
    for (int attempt = 0; attempt < 3; attempt++) {
        wchar_t date[256], time[256];
        ASSERT_GT(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 256),
                  0);
        ASSERT_GT(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, 256), 0);
        std::wstring bare = dateTimeStamp(nullptr);
        std::wstring tagged = dateTimeStamp(" Ausgabe \xDC");
        wchar_t after[256];
        GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, after, 256);
        if (std::wstring(after) != time) continue;
        std::wstring expected = std::wstring(date) + L", " + time;
        EXPECT_EQ(bare, expected);
        EXPECT_EQ(tagged, expected + L" Ausgabe \x00DC") << "suffix taken in the ANSI code page";
        releaseTemporaryStrings();
        return;
    }
    FAIL() << "the clock kept changing seconds";
}

} // namespace
