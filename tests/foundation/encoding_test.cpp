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

std::vector<unsigned> units(const WideChar* w) {
    return w ? std::vector<unsigned>(w, w + wideLength(w)) : std::vector<unsigned>();
}

TEST(NarrowToWide, RefusesInvalidInput) {
    const WideChar wide[] = {0x4B, 0x2026, 0};
    const char* wideBytes = reinterpret_cast<const char*>(wide);
    struct Case {
        const char* bytes;
        int32_t length, selector;
        bool ok;
        std::vector<unsigned> expected;
    } cases[] = {
        {"", -1, kCodePageUtf8, true, {}},
        {"A\xC3\x9C", -1, kCodePageUtf8, true, {0x41, 0xDC}},
        {"\xF0\x9F\x98\x80", -1, kCodePageUtf8, true, {0xD83D, 0xDE00}},
        {"a\xFF", -1, kCodePageUtf8, false, {}},
        {"\xC0\xAF", -1, kCodePageUtf8, false, {}},         // overlong
        {"\xED\xA0\x80", -1, kCodePageUtf8, false, {}},     // an encoded surrogate
        {"\xE2\x82", -1, kCodePageUtf8, false, {}},         // cut short
        {"\xF4\x90\x80\x80", -1, kCodePageUtf8, false, {}}, // beyond U+10FFFF
        {"\x8A\x80", 2, kCodePageMac, true, {0xE4, 0xC4}},
        {wideBytes, 4, kCodePageWide, true, {0x4B, 0x2026}},
        {wideBytes, -1, kCodePageWide, true, {0x4B, 0x2026}},
        {"x", 1, 7, false, {}},
    };
    for (const Case& c : cases) {
        WideText out = KX_WIDE("stale");
        EXPECT_EQ(narrowToWide(c.bytes, c.length, c.selector, out), c.ok) << "input " << c.bytes;
        EXPECT_EQ(units(out.c_str()), c.expected) << "input " << c.bytes;
    }
}

TEST(WideToNarrow, CutsAtWholeCharacters) {
    const WideChar uber[] = {'a', 0xDC, 'b', 0}, smile[] = {'x', 0xD83D, 0xDE00, 0},
                   lone[] = {0xD800, 'y', 0};
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
    WideChar buffer[6];
    wideCopy(buffer, 6, KX_WIDE("abcdefgh"), 2);
    wideAppend(buffer, 6, KX_WIDE("xyz!"));
    EXPECT_EQ(units(buffer), units(KX_WIDE("abxyz"))) << "helpers cut to the buffer";
    EXPECT_EQ(wideLastChar(buffer), 'z');
    EXPECT_EQ(wideLastChar(nullptr), 0);
}

TEST(TemporaryStrings, ConversionsBelongToThePool) {
    releaseTemporaryStrings();
    EXPECT_EQ(units(tempUtf8ToWide("a\xFF"
                                   "b")),
              (std::vector<unsigned>{'a', 0xFFFD, 'b'}));
    EXPECT_EQ(units(tempUtf8ToWide("abcdef", 3)), units(KX_WIDE("abc")));
    EXPECT_STREQ(tempWideToUtf8(KX_WIDE("\u00DCber")), "\xC3\x9C"
                                                       "ber");
    EXPECT_EQ(units(tempCopyWide(KX_WIDE("abcdef"), 4)), units(KX_WIDE("abcd")));
    EXPECT_EQ(units(tempConcatWide(nullptr, KX_WIDE("cd"))), units(KX_WIDE("cd")));
    EXPECT_EQ(units(tempAppendWideChar(KX_WIDE("ab"), '?')), units(KX_WIDE("ab?")));
    std::string stamp = wideToUtf8(dateTimeStamp(" Output"));
    EXPECT_NE(stamp.find(", "), std::string::npos) << stamp;
    EXPECT_EQ(stamp.substr(stamp.size() - 7), " Output") << stamp;
    EXPECT_EQ(temporaryStringCount(), 7u);
    releaseTemporaryStrings();
    EXPECT_EQ(temporaryStringCount(), 0u);
    for (int i = 0; i < 1000; i++) {
        unsigned char* block = static_cast<unsigned char*>(tempAlloc(16));
        ASSERT_TRUE(block && block[0] == 0 && block[15] == 0) << "zero-filled block " << i;
    }
    releaseTemporaryStrings();
}

// A host text object as the host integration would provide: counted, so leaks show.
int gReleased = 0;
const HostTextOps kFakeOps = {
    [](HostText t) { return wideLength(static_cast<WideChar*>(t)); },
    [](HostText t, WideChar* dest, int32_t n) { memcpy(dest, t, n * sizeof(WideChar)); },
    [](const WideChar* text, int32_t n) -> HostText {
        WideChar* copy = static_cast<WideChar*>(calloc(n + 1, sizeof(WideChar)));
        return memcpy(copy, text, n * sizeof(WideChar));
    },
    [](HostText t) { gReleased++, free(t); },
};

TEST(WideString, ConstructionAndOwnership) {
    CMyWideString invalid("ok\xFF", false);
    EXPECT_EQ(invalid.text(), nullptr);
    char buffer[8] = "keep";
    invalid.toNarrow(buffer, sizeof buffer, kCodePageUtf8);
    EXPECT_STREQ(buffer, "keep") << "an empty object leaves the buffer alone";

    unloadStringTable(); // keys show as themselves, so only the length rule shows
    std::string key249 = std::string(248, 'k') + ":", key300 = std::string(299, 'k') + ":";
    EXPECT_EQ(wideToUtf8(CMyWideString(key249.c_str(), true).text()), key249);
    EXPECT_EQ(wideToUtf8(CMyWideString(key300.c_str(), true).text()), key300)
        << "converted unchanged, not cut";

    CMyWideString part(KX_WIDE("\u00DCbersicht"), 3);
    part.toNarrow(buffer, sizeof buffer, kCodePageUtf8);
    EXPECT_STREQ(buffer, "\xC3\x9C"
                         "be");
    int32_t n = 0;
    WideChar* owned = part.wideCopy(&n);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(part.wideCopy(&n), owned) << "made once";

    setHostTextOps(&kFakeOps);
    gReleased = 0;
    {
        CMyWideString kept = CMyWideString::fromHostText(kFakeOps.create(KX_WIDE("Host"), 4), 1);
        EXPECT_EQ(units(kept.text()), units(KX_WIDE("Host")));
        EXPECT_EQ(gReleased, 1) << "release flag 1 releases the host's object";
        HostText made = kept.hostText();
        CMyWideString moved(std::move(kept));
        EXPECT_EQ(moved.hostText(), made);
        HostText borrowed = kFakeOps.create(KX_WIDE("Borrowed"), 8);
        EXPECT_EQ(CMyWideString::fromHostText(borrowed, 0).length(), 8);
        free(borrowed);
    }
    EXPECT_EQ(gReleased, 2) << "the object made on request goes at destruction, once";
    setHostTextOps(nullptr);
}

} // namespace
