// The reference host's tables over its document model, reached the way a plug-in reaches them:
// through table requests, with handles and fixed-point values.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/document.h"
#include "model/project_file.h"
#include "plugins/plugin_host.h"

using namespace refhost;

namespace {

const char* const kProject = R"({
  "format": "layouthost-project/1",
  "layouts": [{
    "name": "Brosch\u00fcre", "pageWidth": 612, "pageHeight": 792, "pageCount": 5,
    "sections": [{"firstPage": 1, "start": 1, "prefix": "", "style": "roman"},
                 {"firstPage": 3, "start": 1, "prefix": "", "style": "arabic"}],
    "spreads": [[1], [2, 3], [4, 5]],
    "items": [
      {"name": "Logo", "type": "box", "page": 1, "bounds": [10, 20, 50, 80]},
      {"name": "Pair", "type": "group", "page": 2, "bounds": [0, 0, 100, 100], "members": [
        {"name": "Left", "type": "box", "page": 2, "bounds": [0, 0, 40, 40]},
        {"name": "Right", "type": "text", "page": 2, "bounds": [50, 50, 100, 100],
         "text": "x", "fontSize": 10}]},
      {"name": "Story", "type": "text", "page": 3, "bounds": [72, 72, 90, 200],
       "text": "One two three four five six seven eight nine ten eleven twelve", "fontSize": 12}
    ]
  }]
})";

template <typename Table> Table tableOf(uint32_t code) {
    Table t;
    std::memset(&t, 0, sizeof t);
    t.size = sizeof t;
    EXPECT_EQ(getHostTable(code, &t), KXH_OK) << "table " << code;
    return t;
}

class HostTables : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        std::unique_ptr<Document> doc = parseProject(kProject, "Brochure.lyt", &error);
        ASSERT_TRUE(doc) << error;
        document_ = &adoptDocument(std::move(doc));
        layout_ = document_->layouts.front()->id;
        layouts = tableOf<KxhLayoutTable>(KXH_TABLE_LAYOUT);
        data = tableOf<KxhDocDataTable>(KXH_TABLE_DOCDATA);
        text = tableOf<KxhTextTable>(KXH_TABLE_TEXT);
        memory = tableOf<KxhMemoryTable>(KXH_TABLE_MEMORY);
    }
    void TearDown() override {
        if (document_) closeDocument(*document_);
    }
    KxhItem itemNamed(const char* name) {
        Item* item = findItemByName(*document_->layouts.front(), name);
        return reinterpret_cast<KxhItem>(item);
    }
    Document* document_ = nullptr;
    int32_t layout_ = -1;
    KxhLayoutTable layouts;
    KxhDocDataTable data;
    KxhTextTable text;
    KxhMemoryTable memory;
};

TEST_F(HostTables, PagesNamesAndSpreads) {
    const char* names[] = {"i", "ii", "1", "2", "3"};
    for (int page = 1; page <= 5; ++page) {
        char name[16];
        EXPECT_EQ(layouts.pageName(layout_, page, name, sizeof name), KXH_OK);
        EXPECT_STREQ(name, names[page - 1]) << "page " << page;
        EXPECT_EQ(layouts.pageOfName(layout_, names[page - 1]), page) << names[page - 1];
    }
    char none[16] = "x";
    EXPECT_EQ(layouts.pageName(layout_, 6, none, sizeof none), KXH_NONE);
    EXPECT_STREQ(none, "");
    EXPECT_EQ(layouts.pageOfName(layout_, "iii"), -1);
    EXPECT_EQ(layouts.pageCount(layout_), 5);
    EXPECT_EQ(layouts.spreadCount(layout_), 3);

    struct Case {
        int page, spread;
        std::vector<int16_t> pages;
        KxhRect rect;
    };
    const KxhFixed w = 612 << 16, h = 792 << 16;
    const Case cases[] = {
        {1, 1, {1}, {0, 0, h, w}},
        {2, 2, {2, 3}, {0, 0, h, w}},
        {3, 2, {2, 3}, {0, w, h, 2 * w}},
        {5, 3, {4, 5}, {0, w, h, 2 * w}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(layouts.spreadOfPage(layout_, c.page), c.spread) << "page " << c.page;
        int16_t pages[4] = {};
        ASSERT_EQ(layouts.pagesOfSpread(layout_, c.spread, pages, 4),
                  static_cast<int32_t>(c.pages.size()));
        EXPECT_EQ(std::vector<int16_t>(pages, pages + c.pages.size()), c.pages);
        KxhRect r = {};
        ASSERT_EQ(layouts.pageRect(layout_, c.page, &r), KXH_OK);
        EXPECT_EQ(r.left, c.rect.left) << "page " << c.page;
        EXPECT_EQ(r.right, c.rect.right) << "page " << c.page;
        EXPECT_EQ(r.bottom, c.rect.bottom) << "page " << c.page;
    }
    // A spread larger than the caller's list still reports its size, writing only what fits.
    int16_t one[1] = {0};
    EXPECT_EQ(layouts.pagesOfSpread(layout_, 2, one, 1), 2);
    EXPECT_EQ(one[0], 2);
}

TEST_F(HostTables, ItemsKindsMembersAndBounds) {
    KxhItem first = layouts.firstItem(layout_, 2);
    ASSERT_EQ(first, itemNamed("Pair"));
    EXPECT_EQ(layouts.itemKind(first), KXH_ITEM_GROUP);
    ASSERT_EQ(layouts.memberCount(first), 2);
    EXPECT_EQ(layouts.itemKind(layouts.memberAt(first, 1)), KXH_ITEM_TEXT);
    EXPECT_EQ(layouts.memberAt(first, 2), nullptr);
    EXPECT_EQ(layouts.nextItem(first), itemNamed("Story")) << "same spread, next page";
    EXPECT_EQ(layouts.nextItem(itemNamed("Story")), nullptr);
    EXPECT_EQ(layouts.nextItem(layouts.memberAt(first, 0)), nullptr) << "members are no walk";

    // Bounds are in spread coordinates: page 3 lies right of page 2.
    KxhRect r = {};
    ASSERT_EQ(layouts.itemBounds(itemNamed("Story"), &r), KXH_OK);
    EXPECT_EQ(r.left, (612 + 72) << 16);
    EXPECT_EQ(r.top, 72 << 16);
    EXPECT_EQ(layouts.itemPage(itemNamed("Story")), 3);

    EXPECT_EQ(layouts.suppressOutput(itemNamed("Logo")), 0);
    EXPECT_EQ(layouts.setSuppressOutput(itemNamed("Logo"), 5), KXH_OK);
    EXPECT_EQ(layouts.suppressOutput(itemNamed("Logo")), 1);

    // A handle of a closed document answers "none" instead of touching freed memory.
    KxhItem stale = itemNamed("Logo");
    closeDocument(*document_);
    document_ = nullptr;
    EXPECT_EQ(layouts.itemKind(stale), 0);
    EXPECT_EQ(layouts.itemBounds(stale, &r), KXH_NONE);
    EXPECT_EQ(layouts.pageCount(layout_), -1);
}

TEST_F(HostTables, DataBlocksOfDocumentsAndLayouts) {
    const uint32_t owner = 0x41595742;
    struct Target {
        const char* name;
        int32_t id;
        int32_t(KXH_CALL* get)(int32_t, uint32_t, KxhBlock*);
        int32_t(KXH_CALL* set)(int32_t, uint32_t, KxhBlock);
    };
    const Target targets[] = {
        {"document", document_->id, data.getDocumentData, data.setDocumentData},
        {"layout", layout_, data.getLayoutData, data.setLayoutData}};
    for (const Target& t : targets) {
        KxhBlock got = reinterpret_cast<KxhBlock>(1);
        EXPECT_EQ(t.get(t.id, owner, &got), KXH_NONE) << t.name;
        EXPECT_EQ(got, nullptr) << t.name;

        KxhBlock block = memory.newBlock(3);
        std::memcpy(memory.blockData(block), "abc", 3);
        ASSERT_EQ(t.set(t.id, owner, block), KXH_OK) << t.name;
        memory.releaseBlock(block); // the host keeps its own copy
        // Checked before the next allocation, which may reuse the released block's address.
        EXPECT_EQ(t.set(t.id, owner, block), KXH_ERR_PARAM) << t.name << ": released block";
        ASSERT_EQ(t.get(t.id, owner, &got), KXH_OK) << t.name;
        ASSERT_EQ(memory.blockSize(got), 3u) << t.name;
        EXPECT_EQ(std::string(static_cast<char*>(memory.blockData(got)), 3), "abc") << t.name;
        memory.releaseBlock(got);

        EXPECT_EQ(t.set(t.id, owner, nullptr), KXH_OK) << t.name;
        EXPECT_EQ(t.get(t.id, owner, &got), KXH_NONE) << t.name << ": removed";
        EXPECT_EQ(t.get(-5, owner, &got), KXH_NONE) << t.name << ": unknown";
    }
    EXPECT_EQ(data.isChanged(document_->id), 0);
    EXPECT_EQ(data.markChanged(document_->id, KXH_CHANGE_CONTENT), KXH_OK);
    EXPECT_EQ(data.isChanged(document_->id), 1);

    char small[6];
    EXPECT_EQ(data.layoutName(layout_, small, sizeof small), KXH_TRUNCATED);
    EXPECT_STREQ(small, "Brosc") << "cut before the two-byte character";
    char name[64];
    EXPECT_EQ(data.projectName(document_->id, name, sizeof name), KXH_OK);
    EXPECT_STREQ(name, "Brochure.lyt");
}

TEST_F(HostTables, TextEditsAndOverflow) {
    KxhItem story = itemNamed("Story");
    KxhItem right = layouts.memberAt(itemNamed("Pair"), 1);
    EXPECT_EQ(text.textLength(itemNamed("Logo")), -1) << "not a text box";
    EXPECT_EQ(text.textOverflows(story), 1);
    EXPECT_EQ(text.textOverflows(right), 0);

    // The overflow mark sits in the last line record, at byte 36.
    KxhBlock lines = text.lineRecords(story);
    ASSERT_NE(lines, nullptr);
    const uint32_t size = memory.blockSize(lines);
    ASSERT_GT(size, 0u);
    ASSERT_EQ(size % KXH_LINE_RECORD_SIZE, 0u);
    const auto* bytes = static_cast<const unsigned char*>(memory.blockData(lines));
    int32_t mark = 0;
    std::memcpy(&mark, bytes + size - KXH_LINE_RECORD_SIZE + 36, 4);
    EXPECT_EQ(mark, KXH_LINE_OVERFLOW);
    memory.releaseBlock(lines);

    lines = text.lineRecords(right);
    ASSERT_NE(lines, nullptr);
    std::memcpy(&mark,
                static_cast<const char*>(memory.blockData(lines)) + memory.blockSize(lines) -
                    KXH_LINE_RECORD_SIZE + 36,
                4);
    EXPECT_NE(mark, KXH_LINE_OVERFLOW);
    memory.releaseBlock(lines);

    const int32_t length = text.textLength(story);
    EXPECT_EQ(text.deleteText(story, 0, length + 1), KXH_ERR_PARAM);
    EXPECT_EQ(text.deleteText(story, 0, length), KXH_OK);
    EXPECT_EQ(text.textLength(story), 0);
    EXPECT_EQ(text.lineRecords(story), nullptr) << "no text, no layout";
    const KxhUnit stamp[] = {'0', '8', '.', '1', '2'};
    EXPECT_EQ(text.insertText(story, 0, stamp, 5), KXH_OK);
    EXPECT_EQ(text.insertText(story, 7, stamp, 5), KXH_ERR_PARAM);
    KxhUnit back[8] = {};
    EXPECT_EQ(text.getText(story, back, 8), 5);
    EXPECT_EQ(std::u16string(reinterpret_cast<char16_t*>(back)), u"08.12");
    EXPECT_EQ(text.textOverflows(story), 0);
    EXPECT_TRUE(document_->changed) << "a text edit changes the document";
}

} // namespace
