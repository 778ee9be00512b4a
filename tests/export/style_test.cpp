// Settings read from and stored in the host's output styles, and the choice of style.
#include <gtest/gtest.h>

#include "export/style_choice.h"
#include "export/style_settings.h"
#include "export_support.h"
#include "foundation/prefs.h"
#include "host/settings.h"

namespace {

std::string describe(const FWiz& n) {
    return "base " + std::to_string(n.base) + " numbers " + std::to_string(n.numbers) + " sep '" +
           n.separator + "' suffix '" + n.suffix + "' margins " + std::to_string(n.pageMargins) +
           " before " + std::to_string(n.numberBeforeName);
}

StyleHandle handleOf(FakeStyle& style) {
    return reinterpret_cast<StyleHandle>(&style);
}

class Styles : public ::testing::Test {
  protected:
    ExportWorld world;
    ExportState& state = exportState();
};

TEST_F(Styles, FileNamingRecordDefaultsAndValues) {
    FakeStyle& unseen = world.host.addStyle("Unseen", KXH_TYPE_PDF);
    FakeStyle& emptyPdf = world.host.addStyle("Empty PDF", KXH_TYPE_PDF);
    emptyPdf.containers[kKestrixOwner] = {};
    FakeStyle& emptyEps = world.host.addStyle("Empty EPS", KXH_TYPE_EPS);
    emptyEps.containers[kKestrixOwner] = {{"FWiz/", ""}};
    FakeStyle& full = world.host.addStyle("Full", KXH_TYPE_EPS);
    full.containers[kKestrixOwner] = {{"FWiz/Base", "1"},        {"FWiz/Numbers", "0"},
                                      {"FWiz/Sep", ""},          {"FWiz/Suffix", "---"},
                                      {"FWiz/PageMargins", "1"}, {"FWiz/NumberBeforeName", "1"}};
    FakeStyle& odd = world.host.addStyle("Odd", KXH_TYPE_PDF);
    odd.containers[kKestrixOwner] = {{"FWiz/Numbers", ""},
                                     {"FWiz/Sep", std::string(40, 's')},
                                     {"FWiz/Base", " 1x"},
                                     {"FWiz/Suffix", std::string(30, 'x') + "\xC3\xA4"}};
    struct {
        FakeStyle* style;
        std::string expected;
    } cases[] = {
        {nullptr, "base 0 numbers 0 sep '' suffix '' margins 0 before 0"},
        {&unseen, "base 0 numbers 0 sep '' suffix '' margins 0 before 0"},
        {&emptyPdf, "base 0 numbers 2 sep '_' suffix '.pdf' margins 0 before 0"},
        {&emptyEps, "base 0 numbers 2 sep '_' suffix '.eps' margins 0 before 0"},
        {&full, "base 1 numbers 0 sep '' suffix '---' margins 1 before 1"},
        // Texts keep 31 bytes, never half a character; an empty number takes its default.
        {&odd, "base 1 numbers 2 sep '" + std::string(31, 's') + "' suffix '" +
                   std::string(30, 'x') + "' margins 0 before 0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, describe(readFileNaming(c.style ? handleOf(*c.style) : nullptr)))
            << (c.style ? c.style->name : "no style");
    }
    EXPECT_TRUE(unseen.containers.empty()) << "reading created data";
}

TEST_F(Styles, FileNamingRecordWrittenAndReadBack) {
    FakeStyle& style = world.host.addStyle("Print PDF", KXH_TYPE_PDF);
    FWiz naming{1, 3, "-", ".PDF", 1, 0};
    writeFileNaming(handleOf(style), naming);
    EXPECT_EQ((FakeEntries{{"FWiz/", ""},
                           {"FWiz/Base", "1"},
                           {"FWiz/NumberBeforeName", "0"},
                           {"FWiz/Numbers", "3"},
                           {"FWiz/PageMargins", "1"},
                           {"FWiz/Sep", "-"},
                           {"FWiz/Suffix", ".PDF"}}),
              style.containers[kKestrixOwner]);
    EXPECT_EQ(describe(naming), describe(readFileNaming(handleOf(style))));
}

TEST_F(Styles, BleedAndSpreads) {
    struct {
        const char* symmetric; // null: no bleed data
        Fixed bleed;
    } bleeds[] = {{"9", 589824},     {"0.5", 32768},      {"", 0},   {nullptr, 0},
                  {"-1.25", -81920}, {"1e30", INT32_MAX}, {"abc", 0}};
    for (const auto& b : bleeds) {
        FakeStyle& style = world.host.addStyle("B", KXH_TYPE_PDF);
        if (b.symmetric)
            style.containers[KXH_OWNER_BLEED] = {{"BleedSettings/Symmetric", b.symmetric}};
        EXPECT_EQ(b.bleed, readBleed(handleOf(style))) << (b.symmetric ? b.symmetric : "none");
    }

    FakeStyle& eps = world.host.addStyle("Spreads EPS", KXH_TYPE_EPS);
    eps.containers[KXH_OWNER_EPS] = {{"EPS/General/Spread", "1"}};
    FakeStyle& pdf = world.host.addStyle("Spreads PDF", KXH_TYPE_PDF);
    pdf.containers[KXH_OWNER_PDF] = {{"PageOptions/Spreads", "1"}};
    FakeStyle& off = world.host.addStyle("Pages PDF", KXH_TYPE_PDF);
    off.containers[KXH_OWNER_PDF] = {{"PageOptions/Spreads", "0"}};
    FakeStyle& bare = world.host.addStyle("Bare", KXH_TYPE_EPS);
    EXPECT_TRUE(styleExportsSpreads(handleOf(eps), KXH_TYPE_EPS));
    EXPECT_FALSE(styleExportsSpreads(handleOf(eps), KXH_TYPE_PDF));
    EXPECT_TRUE(styleExportsSpreads(handleOf(pdf), KXH_TYPE_PDF));
    EXPECT_FALSE(styleExportsSpreads(handleOf(pdf), KXH_TYPE_NONE));
    EXPECT_FALSE(styleExportsSpreads(handleOf(off), KXH_TYPE_PDF));
    EXPECT_FALSE(styleExportsSpreads(handleOf(bare), KXH_TYPE_EPS));
    EXPECT_TRUE(bare.containers.empty());
    EXPECT_EQ(kStyleTypeNone, styleTypeOf(nullptr));
}

TEST_F(Styles, ListHasDefaultsFirstAndASeparator) {
    world.host.addStyle("Proof EPS", KXH_TYPE_EPS);
    world.host.addStyle("Print PDF", KXH_TYPE_PDF);
    world.host.addStyle("Proof", KXH_TYPE_NONE);
    world.host.addStyle("Default PDF", KXH_TYPE_PDF, true);
    world.host.addStyle("Default EPS", KXH_TYPE_EPS, true);
    world.host.addStyle("Spreads EPS", KXH_TYPE_EPS);
    world.host.addStyle(std::string(300, 'L'), KXH_TYPE_PDF); // too long to keep: left out
    std::vector<std::string> expected = {"Default EPS", "Proof EPS",   "Spreads EPS",
                                         "-",           "Default PDF", "Print PDF"};
    EXPECT_EQ(expected, fillStyleList());
}

TEST_F(Styles, RememberedStyle) {
    world.host.addLayout(3);
    state.layoutId = 0;
    FakeLayout& layout = world.host.layouts[0];
    FakeDocument& document = world.host.document;

    readOutputStyle(state); // first run ever
    EXPECT_EQ("", std::string(state.styleName));

    snprintf(state.styleName, sizeof state.styleName, "Print PDF");
    storeOutputStyle(state);
    EXPECT_EQ(1, document.changeMarks);
    ASSERT_EQ(64u, layout.data.size());
    EXPECT_EQ("Print PDF", std::string(reinterpret_cast<char*>(layout.data.data())));
    // The preference is in the file, not only in memory.
    EXPECT_NE(std::string::npos,
              readFile(world.folder.file("Quendrel/Kestrix.ini")).find("OutputStyle=Print PDF"));

    storeOutputStyle(state); // the same style again: no change mark
    EXPECT_EQ(1, document.changeMarks);

    setPrefString("General", "OutputStyle", "");
    resetExportState(state);
    state.layoutId = 0;
    readOutputStyle(state); // the layout's name when the preference is empty
    EXPECT_EQ("Print PDF", std::string(state.styleName));
    setPrefString("General", "OutputStyle", "Default EPS");
    readOutputStyle(state);
    EXPECT_EQ("Default EPS", std::string(state.styleName));

    layout.storeResult = -108; // the host refuses: its alert, no change mark
    storeOutputStyle(state);
    EXPECT_EQ(std::vector<int32_t>{-108}, world.host.errorAlerts);
    EXPECT_EQ(1, document.changeMarks);
}

// Long names stay whole in the preference and in the layout; one that cannot be kept is
// refused rather than cut into another style's name.
TEST_F(Styles, LongStyleNamesAreKeptWhole) {
    world.host.addLayout(3);
    state.layoutId = 0;
    std::string shortName(63, 'S');
    std::string longName = shortName + " - proof for the printer, coated paper";
    world.host.addStyle(shortName, KXH_TYPE_PDF, true);
    world.host.addStyle(longName, KXH_TYPE_PDF);

    ASSERT_TRUE(chooseStyle(state, longName.c_str()));
    EXPECT_EQ(longName, state.styleName);
    EXPECT_EQ(world.host.style(longName), reinterpret_cast<FakeStyle*>(state.styleHandle));
    storeOutputStyle(state);
    EXPECT_EQ(longName.size() + 1, world.host.layouts[0].data.size());

    resetExportState(state);
    state.layoutId = 0;
    readOutputStyle(state);
    EXPECT_EQ(longName, state.styleName);
    setPrefString("General", "OutputStyle", "");
    readOutputStyle(state);
    EXPECT_EQ(longName, state.styleName); // from the layout

    std::string tooLong(kStyleNameSize, 'T');
    EXPECT_FALSE(chooseStyle(state, tooLong.c_str()));
    EXPECT_EQ(longName, state.styleName);
}

TEST_F(Styles, ChoosingAStyleTakesItsSettings) {
    FakeStyle& eps = world.host.addStyle("Spreads EPS", KXH_TYPE_EPS);
    eps.containers[KXH_OWNER_EPS] = {{"EPS/General/Spread", "1"}};
    eps.containers[kKestrixOwner] = {{"FWiz/Sep", "-"}, {"FWiz/PageMargins", "1"}};
    ASSERT_TRUE(chooseStyle(state, "Spreads EPS"));
    EXPECT_EQ(kStyleTypeEps, state.styleType);
    EXPECT_EQ(1, state.spreads);
    EXPECT_EQ("-", std::string(state.separator));
    EXPECT_EQ(".eps", std::string(state.suffix));
    EXPECT_EQ(2, state.numbers);
    EXPECT_EQ(1, state.pageMargins);

    ASSERT_TRUE(chooseStyle(state, "Deleted")); // a style that is gone
    EXPECT_EQ(nullptr, state.styleHandle);
    EXPECT_EQ(kStyleTypeNone, state.styleType);
    EXPECT_EQ(0, state.spreads);
}

TEST_F(Styles, ApplyingAStyleTheHostRefuses) {
    FakeStyle& style = world.host.addStyle("Print PDF", KXH_TYPE_PDF);
    style.applyResult = 0x10023;
    chooseStyle(state, "Print PDF");
    FakeOutput out;
    applyOutputStyle(state, reinterpret_cast<KxhOutput>(&out));
    EXPECT_EQ(std::vector<int32_t>{0x23}, world.host.errorAlerts);
    style.applyResult = 0;
    applyOutputStyle(state, reinterpret_cast<KxhOutput>(&out));
    EXPECT_EQ("Print PDF", out.style);
}

} // namespace
