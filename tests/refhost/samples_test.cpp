#include "model/output_style.h"
#include "model/project_file.h"
#include "model/text_layout.h"
#include "refhost_test_support.h"

#include <gtest/gtest.h>

#include <functional>

using namespace refhost;
using refhost_test::sourceFile;

namespace {

std::unique_ptr<Document> sample(const char* name) {
    std::string error;
    auto doc = loadProject(sourceFile(std::string("samples/") + name), false, &error);
    EXPECT_TRUE(doc) << error;
    return doc;
}

std::vector<std::string> overflowingBoxes(Layout& layout) {
    std::vector<std::string> names;
    std::function<void(Item&)> visit = [&](Item& it) {
        if (textOverflows(it)) names.push_back(it.name);
        for (auto& m : it.members)
            visit(*m);
    };
    for (auto& it : layout.items)
        visit(*it);
    return names;
}

} // namespace

TEST(Samples, Catalog) {
    auto doc = sample("Catalog.lyt");
    ASSERT_TRUE(doc);
    Layout& l = *doc->layouts[0];
    EXPECT_EQ(l.pageCount, 12);
    EXPECT_EQ(l.pageWidth, 612);
    EXPECT_EQ(l.pageHeight, 792);
    for (int p = 1; p <= 12; ++p)
        EXPECT_EQ(pageName(l, p), std::to_string(p));
    Item* slug = findItemByName(l, "JobSlug");
    ASSERT_TRUE(slug);
    EXPECT_EQ(slug->type, ItemType::Text);
    EXPECT_EQ(overflowingBoxes(l), std::vector<std::string>{});
}

TEST(Samples, FrontmatterNamesPagesInRomanThenArabic) {
    auto doc = sample("Frontmatter.lyt");
    ASSERT_TRUE(doc);
    Layout& l = *doc->layouts[0];
    std::vector<std::string> names;
    for (int p = 1; p <= l.pageCount; ++p)
        names.push_back(pageName(l, p));
    EXPECT_EQ(names, (std::vector<std::string>{"i", "ii", "iii", "1", "2", "3"}));
}

TEST(Samples, SpreadsPairPagesAfterTheFirst) {
    auto doc = sample("Spreads.lyt");
    ASSERT_TRUE(doc);
    Layout& l = *doc->layouts[0];
    EXPECT_EQ(l.spreads, (std::vector<std::vector<int>>{{1}, {2, 3}, {4, 5}, {6, 7}}));
}

TEST(Samples, OverflowHasOneOverflowingBox) {
    auto doc = sample("Overflow.lyt");
    ASSERT_TRUE(doc);
    EXPECT_EQ(overflowingBoxes(*doc->layouts[0]), std::vector<std::string>{"Too much"});
}

TEST(Samples, SettingsHoldTheNamedStyles) {
    HostSettings s;
    std::string error;
    ASSERT_TRUE(loadSettings(sourceFile("samples/settings.json"), s, &error)) << error;
    struct Case {
        const char* name;
        uint32_t type;
        bool isDefault;
        double bleed;
        bool spreads;
    } cases[] = {{"Default EPS", kTypeEps, true, 0, false},
                 {"Default PDF", kTypePdf, true, 0, false},
                 {"Print PDF", kTypePdf, false, 9, false},
                 {"Spreads EPS", kTypeEps, false, 0, true},
                 {"Proof", kTypeNone, true, 0, false}};
    for (const auto& c : cases) {
        OutputStyle* style = findStyle(s, c.name);
        ASSERT_TRUE(style) << c.name;
        EXPECT_EQ(style->type, c.type) << c.name;
        EXPECT_EQ(style->isDefault, c.isDefault) << c.name;
        EXPECT_EQ(styleBleed(*style), c.bleed) << c.name;
        EXPECT_EQ(styleExportsSpreads(*style), c.spreads) << c.name;
    }
}
