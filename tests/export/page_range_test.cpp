// Page range texts to page flags and page lists.
#include <gtest/gtest.h>

#include "export/page_range.h"
#include "export_support.h"

namespace {

PageSelection gPages{}; // of layout 0, the fake host's first

// The page list of the flags, "(1,2)"; "invalid" when the text is refused.
std::string pagesOf(const char* text, int16_t absolute, bool spreads = false) {
    PageSelection& state = gPages;
    state.absolute = absolute;
    RangeParse parsed = parsePageRange(text, state);
    if (parsed == RangeParse::Ambiguous) return "ambiguous";
    if (parsed != RangeParse::Ok) return "invalid";
    if (spreads) reduceToSpreads(state);
    CMyArray list{};
    create(&list, 2000, sizeof(int32_t));
    list.duplicatesAllowed = 1; // as the run makes it
    setupPgArray(&list, state.pageFlags, state.pageCount);
    std::string shown;
    for (int32_t i = 0; i < list.count; i++)
        shown += (i ? "," : "") + std::to_string(*static_cast<int32_t*>(at(&list, i)));
    release(&list);
    return "(" + shown + ")";
}

struct RangeCase {
    const char* text;
    int16_t absolute;
    const char* pages;
};

class PageRange : public ::testing::Test {
  protected:
    ExportWorld world;
    FakeLayout& useLayout(int pages, std::vector<std::string> names = {}) {
        FakeLayout& layout = world.host.addLayout(pages);
        if (!names.empty()) layout.pageNames = names;
        gPages = PageSelection{0, int16_t(pages), 0, {}};
        return layout;
    }
    void check(const std::vector<RangeCase>& cases) {
        for (const RangeCase& c : cases)
            EXPECT_EQ(c.pages, pagesOf(c.text, c.absolute))
                << "range \"" << c.text << "\" absolute " << c.absolute;
    }
};

TEST_F(PageRange, NumbersAndNames) {
    useLayout(12);
    check({{"1-3,7,9-99", 1, "(1,2,3,7,9,10,11,12)"},
           {"1-3,", 1, "(1,2,3)"},
           {",1", 1, "invalid"},
           {"0", 1, "invalid"},
           {"13", 1, "invalid"},
           {"12-20", 1, "(12)"},
           {"", 1, "()"},
           {"5-3", 1, "invalid"},
           {"3-", 1, "invalid"},
           {"-3", 1, "invalid"},
           {"1,,2", 1, "invalid"},
           {"2 - 4", 1, "(2,3,4)"},
           {"3,1-2,2", 1, "(1,2,3)"},
           {"99999999999", 1, "invalid"},
           {"1-99999999999", 1, "(1,2,3,4,5,6,7,8,9,10,11,12)"},
           {"1-3,0", 1, "invalid"},
           {"", 1, "()"}}); // a refused text leaves no flags behind for the next one
}

TEST_F(PageRange, PageNamesAsTheHostDisplaysThem) {
    useLayout(5, {"i", "ii", "iii", "1", "2"});
    check({{"ii-iii", 0, "(2,3)"},
           {"ii-iii", 1, "invalid"},
           {"1-2", 0, "(4,5)"},
           {"1-2", 1, "(1,2)"},
           {"iv", 0, "invalid"},
           {" ii", 0, "invalid"},
           {"iii-i", 0, "invalid"}});
    EXPECT_EQ("1-5", fillAllPages(gPages, true));
    EXPECT_EQ("i-2", fillAllPages(gPages, false));
}

// Page names that hold the range's own separators: a text that names pages in two ways is
// refused, saying how to write each way in absolute numbers; one that reads one way is taken.
TEST_F(PageRange, TextsThatReadTwoWaysAreRefused) {
    useLayout(10, {"A", "1", "2", "1-2", "1,2", "i", "ii", "i-ii", "A-1", "x"});
    check({{"1-2", 0, "ambiguous"},
           {"1,2", 0, "ambiguous"},
           {"i-ii", 0, "ambiguous"},
           {"A-1", 0, "ambiguous"},
           {"x,1-2", 0, "ambiguous"},
           {"1-2-1-2", 0, "(4)"},                 // only "1-2" to "1-2"
           {"2-1,2", 0, "(3,4,5)"},               // only "2" to "1,2"
           {"1,2-2", 0, "(2,3)"},                 // "1,2" to "2" would run backwards
           {"A-1,1-2-1-2,2-1,2", 0, "ambiguous"}, // "A" to "1" or "A-1"
           {"1,2,", 0, "ambiguous"},
           {"x,", 0, "(10)"},
           {",1", 0, "invalid"},
           {"1-2", 1, "(1,2)"},
           {"", 0, "()"}});
    RangeAmbiguity ambiguity;
    gPages.absolute = 0;
    ASSERT_EQ(RangeParse::Ambiguous, parsePageRange("x,1-2,ii", gPages, &ambiguity));
    EXPECT_EQ("1-2", ambiguity.typed);
    EXPECT_EQ("\"1-2\"", ambiguity.named[0]);
    EXPECT_EQ("\"1\"\xE2\x80\x93\"2\"", ambiguity.named[1]);
    EXPECT_EQ("10,4,7", ambiguity.absolute[0]);
    EXPECT_EQ("10,2-3,7", ambiguity.absolute[1]);
    ASSERT_EQ(RangeParse::Ambiguous, parsePageRange("1,2", gPages, &ambiguity));
    EXPECT_EQ("\"1,2\" | \"1\", \"2\" | 5 | 2,3", ambiguity.named[0] + " | " + ambiguity.named[1] +
                                                      " | " + ambiguity.absolute[0] + " | " +
                                                      ambiguity.absolute[1]);
    EXPECT_EQ(0, gPages.pageFlags[2] + gPages.pageFlags[5]); // nothing flagged
}

TEST_F(PageRange, SpreadsKeepTheirFirstPage) {
    useLayout(5).spreads = {{1}, {2, 3}, {4, 5}};
    const char* cases[][2] = {{"2-3", "(2)"}, {"3-4", "(2,4)"}, {"1-5", "(1,2,4)"}, {"5", "(4)"}};
    for (auto& c : cases)
        EXPECT_EQ(c[1], pagesOf(c[0], 1, true)) << "range " << c[0];
}

// The flags follow the layout, not a fixed table of 2004 bytes.
TEST_F(PageRange, LayoutsOfThousandsOfPages) {
    useLayout(9999);
    check({{"2003-2005,9998-12000", 1, "(2003,2004,2005,9998,9999)"}, {"10000", 1, "invalid"}});
    pagesOf("1-9999", 1);
    EXPECT_EQ(10000u, gPages.pageFlags.size());
}

} // namespace
