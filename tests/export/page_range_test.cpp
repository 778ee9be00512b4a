// Page range texts to page flags and page lists, on layouts of the fake host.
#include <gtest/gtest.h>

#include "export/page_range.h"
#include "export_support.h"

namespace {

std::vector<int32_t> pageList(const ExportState& state) {
    CMyArray list{};
    create(&list, 2000, sizeof(int32_t));
    list.duplicatesAllowed = 1; // as the run makes it
    setupPgArray(&list, state.pageFlags, state.pageCount);
    std::vector<int32_t> pages;
    for (int32_t i = 0; i < list.count; i++)
        pages.push_back(*static_cast<int32_t*>(at(&list, i)));
    release(&list);
    return pages;
}

std::string show(const std::vector<int32_t>& pages) {
    std::string text;
    for (int32_t p : pages)
        text += (text.empty() ? "" : ",") + std::to_string(p);
    return "(" + text + ")";
}

struct RangeCase {
    const char* text;
    int16_t absolute;
    bool valid;
    std::vector<int32_t> pages; // when valid
};

void checkRanges(ExportState& state, const std::vector<RangeCase>& cases) {
    for (const RangeCase& c : cases) {
        state.absolute = c.absolute;
        uint16_t result = parsePageRange(c.text, state);
        EXPECT_EQ(c.valid ? 0 : kRangeInvalid, result)
            << "range \"" << c.text << "\" absolute " << c.absolute;
        if (c.valid && result == 0) {
            EXPECT_EQ(show(c.pages), show(pageList(state))) << "range \"" << c.text << "\"";
        }
    }
}

class PageRange : public ::testing::Test {
  protected:
    ExportWorld world;
    ExportState& state = exportState();
    void useLayout(int pages) {
        world.host.addLayout(pages);
        state.layoutId = 0;
        state.pageCount = static_cast<int16_t>(pages);
    }
};

TEST_F(PageRange, AbsoluteNumbersOnTwelvePages) {
    useLayout(12);
    checkRanges(state, {
                           {"1-3,7,9-99", 1, true, {1, 2, 3, 7, 9, 10, 11, 12}},
                           {"1-3,", 1, true, {1, 2, 3}},
                           {",1", 1, false, {}},
                           {"0", 1, false, {}},
                           {"13", 1, false, {}},
                           {"12-20", 1, true, {12}},
                           {"", 1, true, {}},
                           {"5-3", 1, false, {}},
                           {"3-", 1, false, {}},
                           {"-3", 1, false, {}},
                           {"1,,2", 1, false, {}},
                           {" 2", 1, true, {2}},
                           {"2 - 4", 1, true, {2, 3, 4}},
                           {"3,1-2,2", 1, true, {1, 2, 3}},
                           {"99999999999", 1, false, {}},
                           {"1-99999999999", 1, true, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
                           {"-99999999999", 1, false, {}},
                       });
}

TEST_F(PageRange, PageNamesAreTheHostsDisplayedNames) {
    FakeLayout& layout = world.host.addLayout(5);
    layout.pageNames = {"i", "ii", "iii", "1", "2"};
    state.layoutId = 0;
    state.pageCount = 5;
    checkRanges(state, {
                           {"ii-iii", 0, true, {2, 3}},
                           {"ii-iii", 1, false, {}},
                           {"1-2", 0, true, {4, 5}},
                           {"1-2", 1, true, {1, 2}},
                           {"iii", 0, true, {3}},
                           {"iv", 0, false, {}},
                           {" ii", 0, false, {}}, // names are taken as they stand
                           {"iii-i", 0, false, {}},
                       });
}

TEST_F(PageRange, FailedItemDiscardsEarlierFlagsAtNextParse) {
    useLayout(12);
    state.absolute = 1;
    EXPECT_EQ(kRangeInvalid, parsePageRange("1-3,0", state));
    EXPECT_EQ(0, parsePageRange("", state));
    EXPECT_EQ("()", show(pageList(state)));
}

TEST_F(PageRange, SpreadsKeepTheFirstPageOfEachSpread) {
    FakeLayout& layout = world.host.addLayout(5);
    layout.spreads = {{1}, {2, 3}, {4, 5}};
    state.layoutId = 0;
    state.pageCount = 5;
    state.absolute = 1;
    struct {
        const char* range;
        const char* list;
    } cases[] = {{"2-3", "(2)"}, {"3-4", "(2,4)"}, {"3", "(2)"}, {"1-5", "(1,2,4)"}, {"5", "(4)"}};
    for (const auto& c : cases) {
        ASSERT_EQ(0, parsePageRange(c.range, state)) << c.range;
        reduceToSpreads(state);
        EXPECT_EQ(c.list, show(pageList(state))) << "range " << c.range;
    }
}

TEST_F(PageRange, AllPagesTextFollowsTheMode) {
    FakeLayout& layout = world.host.addLayout(5);
    layout.pageNames = {"i", "ii", "iii", "1", "2"};
    state.layoutId = 0;
    state.pageCount = 5;
    EXPECT_EQ("1-5", fillAllPages(state, true));
    EXPECT_EQ("i-2", fillAllPages(state, false));
    // Whatever the mode, the text parses back to every page.
    state.absolute = 0;
    ASSERT_EQ(0, parsePageRange(fillAllPages(state, false).c_str(), state));
    EXPECT_EQ("(1,2,3,4,5)", show(pageList(state)));
}

// Large layouts: the flags follow the layout's size instead of a fixed table of 2004 bytes.
TEST_F(PageRange, LayoutsUpToNineThousandNineHundredNinetyNinePages) {
    useLayout(9999);
    state.absolute = 1;
    ASSERT_EQ(0, parsePageRange("2003-2005,9998-12000", state));
    EXPECT_EQ("(2003,2004,2005,9998,9999)", show(pageList(state)));
    ASSERT_EQ(0, parsePageRange("1-9999", state));
    std::vector<int32_t> all = pageList(state);
    ASSERT_EQ(9999u, all.size());
    EXPECT_EQ(9999, all.back());
    EXPECT_EQ(kRangeInvalid, parsePageRange("10000", state));
}

} // namespace
