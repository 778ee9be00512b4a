#include "model/document.h"

#include <gtest/gtest.h>

using namespace refhost;

namespace {

Layout layoutWith(int pages, std::vector<Section> sections,
                  std::vector<std::vector<int>> spreads = {}) {
    Layout l;
    l.pageCount = pages;
    l.sections = std::move(sections);
    l.spreads = std::move(spreads);
    applyLayoutDefaults(l);
    return l;
}

} // namespace

TEST(PageNames, FollowTheSectionOfEachPage) {
    Layout front = layoutWith(8, {{1, 1, "", PageNumberStyle::RomanLower},
                                  {4, 1, "", PageNumberStyle::Arabic},
                                  {6, 3, "App-", PageNumberStyle::AlphaUpper}});
    const char* expected[] = {"", "i", "ii", "iii", "1", "2", "App-C", "App-D", "App-E"};
    for (int p = 1; p <= 8; ++p)
        EXPECT_EQ(pageName(front, p), expected[p]) << "page " << p;
    EXPECT_EQ(pageName(front, 0), "");
    EXPECT_EQ(pageName(front, 9), "");
}

TEST(PageNames, NumberStyles) {
    struct Case {
        int number;
        PageNumberStyle style;
        const char* text;
    } cases[] = {
        {4, PageNumberStyle::RomanLower, "iv"},   {9, PageNumberStyle::RomanLower, "ix"},
        {14, PageNumberStyle::RomanUpper, "XIV"}, {1994, PageNumberStyle::RomanLower, "mcmxciv"},
        {1, PageNumberStyle::AlphaLower, "a"},    {26, PageNumberStyle::AlphaLower, "z"},
        {27, PageNumberStyle::AlphaLower, "aa"},  {28, PageNumberStyle::AlphaUpper, "BB"},
        {10, PageNumberStyle::Arabic, "10"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatPageNumber(c.number, c.style), c.text) << c.number;
}

TEST(PageNames, NameToPage) {
    Layout front = layoutWith(
        5, {{1, 1, "", PageNumberStyle::RomanLower}, {4, 1, "", PageNumberStyle::Arabic}});
    struct Case {
        const char* name;
        int page;
    } cases[] = {{"i", 1},   {"iii", 3}, {"1", 4}, {"2", 5},
                 {"iv", -1}, {"3", -1},  {"", -1}, {"I", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(pageFromName(front, c.name), c.page) << c.name;
}

TEST(Spreads, PagesSitSideBySideInTheirSpread) {
    Layout l = layoutWith(5, {}, {{1}, {2, 3}, {4, 5}});
    l.pageWidth = 612;
    l.pageHeight = 792;
    struct Case {
        int page, spread;
        double left;
    } cases[] = {{1, 1, 0}, {2, 2, 0}, {3, 2, 612}, {4, 3, 0}, {5, 3, 612}};
    for (const auto& c : cases) {
        EXPECT_EQ(spreadOfPage(l, c.page), c.spread) << "page " << c.page;
        Rect r = pageRectInSpread(l, c.page);
        EXPECT_DOUBLE_EQ(r.left, c.left) << "page " << c.page;
        EXPECT_DOUBLE_EQ(r.right, c.left + 612) << "page " << c.page;
        EXPECT_DOUBLE_EQ(r.bottom, 792) << "page " << c.page;
    }
    EXPECT_EQ(spreadOfPage(l, 6), -1);
    EXPECT_DOUBLE_EQ(spreadRect(l, 1).right, 612);
    EXPECT_DOUBLE_EQ(spreadRect(l, 2).right, 1224);

    Item onThird;
    onThird.page = 3;
    onThird.bounds = {72, 36, 122, 136};
    Rect b = itemSpreadBounds(l, onThird);
    EXPECT_DOUBLE_EQ(b.left, 648);
    EXPECT_DOUBLE_EQ(b.right, 748);
    EXPECT_DOUBLE_EQ(b.top, 72);
}

TEST(Items, SpreadItemsAndLookupsAcrossGroups) {
    auto doc = newDocument();
    Layout& l = addLayout(*doc, "L");
    l.pageCount = 3;
    l.spreads = {{1}, {2, 3}};
    applyLayoutDefaults(l);
    auto make = [](const char* name, ItemType type, int page) {
        auto it = std::make_unique<Item>();
        it->name = name;
        it->type = type;
        it->page = page;
        return it;
    };
    addItem(*doc, l, make("one", ItemType::Box, 1));
    Item& group = addItem(*doc, l, make("group", ItemType::Group, 3));
    Item& member = addItem(*doc, l, make("JobSlug", ItemType::Text, 3), &group);
    addItem(*doc, l, make("two", ItemType::Box, 2));
    std::vector<Item*> second = itemsOfSpread(l, 2);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0], &group);
    EXPECT_EQ(second[1]->name, "two");
    addItem(*doc, l, make("late", ItemType::Box, 3));
    std::vector<Item*> again = itemsOfSpread(l, 2);
    ASSERT_EQ(again.size(), 3u) << "an item added after a lookup is found too";
    EXPECT_EQ(again[2]->name, "late");
    EXPECT_EQ(findItem(l, member.id), &member);
    EXPECT_EQ(findItemByName(l, "JobSlug"), &member);
    EXPECT_EQ(member.parent, &group);
    EXPECT_EQ(findItem(l, 999), nullptr);
}

TEST(Items, TextEditsMarkTheDocumentChanged) {
    auto doc = newDocument();
    Layout& l = addLayout(*doc, "L");
    auto box = std::make_unique<Item>();
    box->type = ItemType::Text;
    box->text = u"old stamp";
    Item& t = addItem(*doc, l, std::move(box));
    EXPECT_FALSE(doc->changed);
    ASSERT_TRUE(deleteText(*doc, t, 0, t.text.size()));
    ASSERT_TRUE(insertText(*doc, t, 0, u"8.12.2026, 14:05"));
    EXPECT_EQ(t.text, u"8.12.2026, 14:05");
    EXPECT_TRUE(doc->changed);
    EXPECT_FALSE(deleteText(*doc, t, 5, 100));
    EXPECT_FALSE(insertText(*doc, t, 100, u"x"));
    EXPECT_EQ(t.text, u"8.12.2026, 14:05");
}

TEST(Text, Utf8AndUtf16RoundTrip) {
    std::string s = "A\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80"; // A, u-umlaut, euro, emoji
    std::u16string w = utf8ToUtf16(s);
    EXPECT_EQ(w, u"A\u00fc\u20ac\U0001F600");
    EXPECT_EQ(utf16ToUtf8(w), s);
    // A broken sequence shows as a replacement character instead of vanishing.
    EXPECT_EQ(utf8ToUtf16("a\xC3"), u"a\uFFFD");
}
