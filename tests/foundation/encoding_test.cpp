// Conversions between UTF-8, the code pages and UTF-16, the temporary pool and CMyWideString.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/encoding.h"
#include "foundation/localize.h"
#include "foundation/temppool.h"
#include "foundation/widestring.h"

namespace {

std::vector<unsigned> units(const WideText& w) {
    return std::vector<unsigned>(w.begin(), w.end());
}
std::vector<unsigned> units(const WideChar* w) {
    return w ? units(WideText(w)) : std::vector<unsigned>();
}

TEST(NarrowToWide, Utf8IsStrict) {
    struct Case {
        const char* bytes;
        bool ok;
        std::vector<unsigned> expected;
    } cases[] = {
        {"", true, {}},
        {"A\xC3\x9C", true, {0x41, 0xDC}},
        {"\xE2\x80\xA6", true, {0x2026}},
        {"\xF0\x9F\x98\x80", true, {0xD83D, 0xDE00}},
        {"a\xFF", false, {}},
        {"\xC0\xAF", false, {}},         // overlong "/"
        {"\xED\xA0\x80", false, {}},     // an encoded surrogate
        {"\xE2\x82", false, {}},         // cut short
        {"\xF4\x90\x80\x80", false, {}}, // beyond U+10FFFF
        {"\x80", false, {}},             // a lone continuation byte
    };
    for (const Case& c : cases) {
        WideText out = KX_WIDE("stale");
        EXPECT_EQ(narrowToWide(c.bytes, -1, kCodePageUtf8, out), c.ok) << "input " << c.bytes;
        EXPECT_EQ(units(out), c.expected) << "input " << c.bytes;
    }
}

TEST(NarrowToWide, MacintoshAndWideSelectors) {
    WideText out;
    ASSERT_TRUE(narrowToWide("\x8A\x80", 2, kCodePageMac, out));
    EXPECT_EQ(units(out), (std::vector<unsigned>{0xE4, 0xC4})) << "Mac Roman a- and A-umlaut";

    const WideChar wide[] = {0x4B, 0x2026, 0};
    ASSERT_TRUE(narrowToWide(reinterpret_cast<const char*>(wide), 4, kCodePageWide, out));
    EXPECT_EQ(units(out), (std::vector<unsigned>{0x4B, 0x2026}));
    ASSERT_TRUE(narrowToWide(reinterpret_cast<const char*>(wide), -1, kCodePageWide, out));
    EXPECT_EQ(out.size(), 2u) << "up to the NUL unit";
    EXPECT_FALSE(narrowToWide("x", 1, 7, out)) << "unknown selector";
}

TEST(NarrowToWide, AnsiRoundTrip) {
    const WideChar text[] = {0xDC, 'b', 'e', 'r', 0};
    char narrow[16];
    ASSERT_GT(wideToNarrow(text, -1, narrow, sizeof narrow, kCodePageAnsi), 0);
    WideText back;
    ASSERT_TRUE(narrowToWide(narrow, -1, kCodePageAnsi, back));
    EXPECT_EQ(units(back), units(text));
}

TEST(WideToNarrow, CutsAtWholeCharacters) {
    const WideChar uber[] = {'a', 0xDC, 'b', 0};
    const WideChar smile[] = {'x', 0xD83D, 0xDE00, 0};
    const WideChar lone[] = {0xD800, 'y', 0};
    struct Case {
        const WideChar* text;
        int32_t size;
        std::string expected;
    } cases[] = {
        {uber, 16,
         "a\xC3\x9C"
         "b"},
        {uber, 4, "a\xC3\x9C"},
        {uber, 3, "a"},
        {uber, 1, ""},
        {smile, 5, "x"},
        {smile, 6, "x\xF0\x9F\x98\x80"},
        {lone, 16, "\xEF\xBF\xBDy"},
    };
    for (const Case& c : cases) {
        std::string buffer(c.size + 4, '#');
        int32_t n = wideToNarrow(c.text, -1, &buffer[0], c.size, kCodePageUtf8);
        EXPECT_EQ(std::string(buffer.c_str()), c.expected) << "size " << c.size;
        EXPECT_EQ(n, static_cast<int32_t>(c.expected.size())) << "size " << c.size;
        EXPECT_EQ(buffer.substr(c.size), "####") << "wrote past size " << c.size;
    }
    char untouched = '#';
    EXPECT_EQ(wideToNarrow(uber, -1, &untouched, 0, kCodePageUtf8), 0);
    EXPECT_EQ(untouched, '#');
}

TEST(WideToNarrow, WideSelectorCopiesUnitsWithNul) {
    const WideChar text[] = {'a', 'b', 'c', 0};
    char buffer[6];
    memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(wideToNarrow(text, -1, buffer, sizeof buffer, kCodePageWide), 4);
    WideChar back[3];
    memcpy(back, buffer, sizeof back);
    EXPECT_EQ(units(WideText(back, 3)), (std::vector<unsigned>{'a', 'b', 0}));
}

TEST(WideHelpers, LengthCopyAppendLast) {
    WideChar buffer[6];
    EXPECT_EQ(wideLength(nullptr), 0);
    wideCopy(buffer, 6, KX_WIDE("abcdefgh"));
    EXPECT_EQ(units(buffer), units(KX_WIDE("abcde"))) << "cut to the buffer";
    wideCopy(buffer, 6, KX_WIDE("abcdefgh"), 2);
    EXPECT_EQ(units(buffer), units(KX_WIDE("ab")));
    wideAppend(buffer, 6, KX_WIDE("xyz!"));
    EXPECT_EQ(units(buffer), units(KX_WIDE("abxyz")));
    EXPECT_EQ(wideLastChar(buffer), 'z');
    EXPECT_EQ(wideLastChar(KX_WIDE("")), 0);
    EXPECT_EQ(wideLastChar(nullptr), 0);
}

class TemporaryStrings : public ::testing::Test {
  protected:
    void TearDown() override { releaseTemporaryStrings(); }
};

TEST_F(TemporaryStrings, ConversionsBelongToThePool) {
    releaseTemporaryStrings();
    WideChar* lenient = tempUtf8ToWide("a\xFF"
                                       "b");
    EXPECT_EQ(units(lenient), (std::vector<unsigned>{'a', 0xFFFD, 'b'}));
    EXPECT_EQ(units(tempUtf8ToWide("abcdef", 3)), units(KX_WIDE("abc")));
    EXPECT_STREQ(tempWideToUtf8(KX_WIDE("\u00DCber")), "\xC3\x9C"
                                                       "ber");
    EXPECT_EQ(units(tempCopyWide(KX_WIDE("abcdef"), 4)), units(KX_WIDE("abcd")));
    EXPECT_EQ(units(tempConcatWide(KX_WIDE("ab"), KX_WIDE("cd"))), units(KX_WIDE("abcd")));
    EXPECT_EQ(units(tempConcatWide(nullptr, KX_WIDE("cd"))), units(KX_WIDE("cd")));
    EXPECT_EQ(units(tempAppendWideChar(KX_WIDE("deleteTracking"), '?')),
              units(KX_WIDE("deleteTracking?")));
    EXPECT_EQ(temporaryStringCount(), 7u);
    releaseTemporaryStrings();
    EXPECT_EQ(temporaryStringCount(), 0u);
    // The pool starts over and grows again after a release.
    for (int i = 0; i < 1000; i++)
        ASSERT_NE(tempAlloc(16), nullptr);
    EXPECT_EQ(temporaryStringCount(), 1000u);
}

TEST_F(TemporaryStrings, BlocksAreZeroFilled) {
    unsigned char* block = static_cast<unsigned char*>(tempAlloc(64));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 64; i++)
        ASSERT_EQ(block[i], 0) << "byte " << i;
}

TEST_F(TemporaryStrings, DateTimeStampShape) {
    std::string bare = wideToUtf8(dateTimeStamp(nullptr));
    std::string tagged = wideToUtf8(dateTimeStamp(" Output"));
    ASSERT_FALSE(bare.empty());
    size_t comma = bare.find(", ");
    ASSERT_NE(comma, std::string::npos) << bare;
    EXPECT_GT(comma, 0u) << "a date before the comma: " << bare;
    EXPECT_TRUE(isdigit(static_cast<unsigned char>(bare.back())) ||
                isalpha(static_cast<unsigned char>(bare.back())))
        << "ends with the time itself: " << bare;
    EXPECT_EQ(tagged.substr(tagged.size() - 7), " Output") << tagged;
}

// A host text object as the host integration would provide: counted so leaks show.
struct FakeHostText {
    WideText text;
};
int gReleased = 0;
int gCreated = 0;

const HostTextOps kFakeOps = {
    [](HostText t) { return static_cast<int32_t>(static_cast<FakeHostText*>(t)->text.size()); },
    [](HostText t, WideChar* dest, int32_t n) {
        memcpy(dest, static_cast<FakeHostText*>(t)->text.data(), n * sizeof(WideChar));
    },
    [](const WideChar* text, int32_t n) -> HostText {
        gCreated++;
        return new FakeHostText{WideText(text, n)};
    },
    [](HostText t) {
        gReleased++;
        delete static_cast<FakeHostText*>(t);
    },
};

class WideString : public ::testing::Test {
  protected:
    void SetUp() override {
        setHostTextOps(&kFakeOps);
        gReleased = gCreated = 0;
    }
    void TearDown() override {
        setHostTextOps(nullptr);
        unloadStringTable();
    }
};

TEST_F(WideString, InvalidUtf8GivesNoText) {
    CMyWideString s("ok\xFF", false);
    EXPECT_EQ(s.text(), nullptr);
    EXPECT_EQ(s.length(), 0);
    char buffer[8] = "keep";
    s.toNarrow(buffer, sizeof buffer, kCodePageUtf8);
    EXPECT_STREQ(buffer, "keep") << "an empty object leaves the buffer alone";
    EXPECT_EQ(s.newWideCopy(), nullptr);
    CMyWideString absent(static_cast<const char*>(nullptr), true);
    EXPECT_EQ(absent.text(), nullptr);
}

TEST_F(WideString, LocalisingConstructorSkipsLongTexts) {
    unloadStringTable(); // keys come back as themselves, so only the cut shows
    std::string key249(248, 'k');
    key249 += ':';
    std::string key300(299, 'k');
    key300 += ':';
    CMyWideString shortKey(key249.c_str(), true), longKey(key300.c_str(), true);
    EXPECT_EQ(wideToUtf8(shortKey.text()), key249);
    EXPECT_EQ(wideToUtf8(longKey.text()), key300) << "converted unchanged, not cut to 255";
}

TEST_F(WideString, CopiesAndConversions) {
    CMyWideString s(KX_WIDE("\u00DCbersicht"), 3);
    EXPECT_EQ(s.length(), 3);
    char narrow[8];
    s.toNarrow(narrow, sizeof narrow, kCodePageUtf8);
    EXPECT_STREQ(narrow, "\xC3\x9C"
                         "be");
    WideChar* mine = s.newWideCopy();
    ASSERT_NE(mine, nullptr);
    EXPECT_NE(mine, s.text());
    free(mine);
    int32_t n = 0;
    WideChar* owned = s.wideCopy(&n);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(s.wideCopy(&n), owned) << "made once";
    CMyWideString whole(KX_WIDE("abc"), 0);
    EXPECT_EQ(whole.length(), 3) << "length 0 means up to the NUL";
}

TEST_F(WideString, HostTextsAreReleasedExactlyOnce) {
    {
        CMyWideString kept = CMyWideString::fromHostText(new FakeHostText{KX_WIDE("Host")}, 1);
        EXPECT_EQ(units(kept.text()), units(KX_WIDE("Host")));
        EXPECT_EQ(gReleased, 1) << "release flag 1 releases the host's object";
        HostText made = kept.hostText();
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(kept.hostText(), made);
        EXPECT_EQ(gCreated, 1);
        CMyWideString moved(std::move(kept));
        EXPECT_EQ(kept.text(), nullptr);
        EXPECT_EQ(moved.hostText(), made);
    }
    EXPECT_EQ(gReleased, 2) << "the object made on request is released at destruction";

    FakeHostText* borrowed = new FakeHostText{KX_WIDE("Borrowed")};
    {
        CMyWideString s = CMyWideString::fromHostText(borrowed, 0);
        EXPECT_EQ(s.length(), 8);
    }
    EXPECT_EQ(gReleased, 2) << "flag 0 leaves the host's object alone";
    delete borrowed;
}

} // namespace
