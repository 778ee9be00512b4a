// Settings read from and stored in the host's output styles, and the choice of style.
#include <gtest/gtest.h>

#include <cstring>

#include "export/style_choice.h"
#include "export/style_settings.h"
#include "export_support.h"
#include "foundation/prefs.h"

namespace {

std::string describe(const FWiz& n) {
    char text[200];
    snprintf(text, sizeof text, "%d %d '%s' '%s' %d %d", n.base, n.numbers, n.separator, n.suffix,
             n.pageMargins, n.numberBeforeName);
    return text;
}

StyleHandle handleOf(FakeStyle* style) {
    return reinterpret_cast<StyleHandle>(style);
}

TEST(Styles, FileNamingRecord) {
    ExportWorld world;
    auto add = [&](uint32_t type, std::map<uint32_t, FakeEntries> data) {
        FakeStyle& s = world.host.addStyle("S", type);
        s.containers = data;
        return &s;
    };
    const std::string c30(30, 'x');
    struct {
        FakeStyle* style;
        std::string expected; // base numbers 'sep' 'suffix' margins numberFirst
    } cases[] = {
        {nullptr, "0 0 '' '' 0 0"},
        {add(KXH_TYPE_PDF, {}), "0 0 '' '' 0 0"}, // a style Kestrix never saw
        {add(KXH_TYPE_PDF, {{kPluginId, {}}}), "0 2 '_' '.pdf' 0 0"},
        {add(KXH_TYPE_EPS, {{kPluginId, {{"FWiz/", ""}}}}), "0 2 '_' '.eps' 0 0"},
        {add(KXH_TYPE_EPS, {{kPluginId,
                             {{"FWiz/Base", "1"},
                              {"FWiz/Numbers", "0"},
                              {"FWiz/Sep", ""},
                              {"FWiz/Suffix", "---"},
                              {"FWiz/PageMargins", "1"},
                              {"FWiz/NumberBeforeName", "1"}}}}),
         "1 0 '' '---' 1 1"},
        // 31 bytes at most, never half a character; an empty number takes its default.
        {add(KXH_TYPE_PDF, {{kPluginId,
                             {{"FWiz/Numbers", ""},
                              {"FWiz/Base", " 1x"},
                              {"FWiz/Sep", std::string(40, 's')},
                              {"FWiz/Suffix", c30 + "\xC3\xA4"}}}}),
         "1 2 '" + std::string(31, 's') + "' '" + c30 + "' 0 0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, describe(readFileNaming(handleOf(c.style))));
    EXPECT_TRUE(world.host.styles[0]->containers.empty()) << "reading created data";
    // A suffix the host cuts to nothing (bytes that start no character) is not a missing one.
    FakeStyle* cut = add(KXH_TYPE_PDF, {{kPluginId, {{"FWiz/Suffix", std::string(33, '\x97')}}}});
    EXPECT_EQ(1, readFileNaming(handleOf(cut)).namingTooLong);

    FWiz naming{1, 3, "-", ".PDF", 1, 0, 0};
    writeFileNaming(handleOf(world.host.styles[0].get()), naming);
    EXPECT_EQ((FakeEntries{{"FWiz/", ""},
                           {"FWiz/Base", "1"},
                           {"FWiz/NumberBeforeName", "0"},
                           {"FWiz/Numbers", "3"},
                           {"FWiz/PageMargins", "1"},
                           {"FWiz/Sep", "-"},
                           {"FWiz/Suffix", ".PDF"}}),
              world.host.styles[0]->containers[kPluginId]);
    EXPECT_EQ(describe(naming), describe(readFileNaming(handleOf(world.host.styles[0].get()))));
}

TEST(Styles, BleedAndSpreads) {
    ExportWorld world;
    struct {
        const char* symmetric;
        Fixed bleed;
    } bleeds[] = {{"9", 589824},       {"0.5", 32768}, {"", 0},     {"-1.25", -81920},
                  {"1e30", INT32_MAX}, {"abc", 0},     {nullptr, 0}};
    for (const auto& b : bleeds) {
        FakeStyle& style = world.host.addStyle("B", KXH_TYPE_PDF);
        if (b.symmetric)
            style.containers[KXH_OWNER_BLEED] = {{"BleedSettings/Symmetric", b.symmetric}};
        EXPECT_EQ(b.bleed, readBleed(handleOf(&style))) << (b.symmetric ? b.symmetric : "none");
    }
    FakeStyle& eps = world.host.addStyle("E", KXH_TYPE_EPS);
    eps.containers[KXH_OWNER_EPS] = {{"EPS/General/Spread", "1"}};
    FakeStyle& pdf = world.host.addStyle("P", KXH_TYPE_PDF);
    pdf.containers[KXH_OWNER_PDF] = {{"PageOptions/Spreads", "1"}};
    FakeStyle& off = world.host.addStyle("O", KXH_TYPE_PDF);
    off.containers[KXH_OWNER_PDF] = {{"PageOptions/Spreads", "0"}};
    EXPECT_TRUE(styleExportsSpreads(handleOf(&eps), KXH_TYPE_EPS));
    EXPECT_FALSE(styleExportsSpreads(handleOf(&eps), KXH_TYPE_PDF));
    EXPECT_TRUE(styleExportsSpreads(handleOf(&pdf), KXH_TYPE_PDF));
    EXPECT_FALSE(styleExportsSpreads(handleOf(&pdf), KXH_TYPE_NONE));
    EXPECT_FALSE(styleExportsSpreads(handleOf(&off), KXH_TYPE_PDF));
    EXPECT_FALSE(styleExportsSpreads(handleOf(world.host.styles[0].get()), KXH_TYPE_EPS));
}

TEST(Styles, ListAndRememberedStyle) {
    ExportWorld world;
    for (auto [name, type, isDefault] : std::vector<std::tuple<std::string, uint32_t, bool>>{
             {"Proof EPS", KXH_TYPE_EPS, 0},
             {"Print PDF", KXH_TYPE_PDF, 0},
             {"Proof", KXH_TYPE_NONE, 0},
             {"Default PDF", KXH_TYPE_PDF, 1},
             {"Default EPS", KXH_TYPE_EPS, 1},
             {std::string(300, 'L'), KXH_TYPE_PDF, 0}})
        world.host.addStyle(name, type, isDefault);
    EXPECT_EQ(
        (std::vector<std::string>{"Default EPS", "Proof EPS", "-", "Default PDF", "Print PDF"}),
        fillStyleList());

    FakeLayout& layout = world.host.addLayout(3);
    ExportRequest state{};
    readOutputStyle(state); // first run ever
    EXPECT_EQ("", std::string(state.styleName));
    ASSERT_TRUE(chooseStyle(state, "Print PDF"));
    storeOutputStyle(state);
    storeOutputStyle(state); // the same style again: no second change mark
    EXPECT_EQ(1, world.host.changeMarks);
    EXPECT_EQ(64u, layout.data.size());
    EXPECT_NE(std::string::npos,
              readFile(world.folder + "/Quendrel/Kestrix.ini").find("OutputStyle=Print PDF"));
    setPrefString("General", "OutputStyle", "");
    readOutputStyle(state);
    EXPECT_EQ("Print PDF", std::string(state.styleName)); // from the layout

    layout.storeResult = -108; // the host refuses: its alert, no change mark
    chooseStyle(state, "Default PDF");
    storeOutputStyle(state);
    EXPECT_EQ(std::vector<int32_t>{-108}, world.host.errorAlerts);
    EXPECT_EQ(1, world.host.changeMarks);
}

// Names beyond 63 bytes stay whole; a name that cannot be kept is refused, never cut into the
// name of another style.
TEST(Styles, LongNamesAreKeptWhole) {
    ExportWorld world;
    world.host.addLayout(3);
    const std::string cut(63, 'S'), whole = cut + " - coated paper, proof";
    world.host.addStyle(cut, KXH_TYPE_PDF, true);
    world.host.addStyle(whole, KXH_TYPE_PDF);
    ExportRequest state{};
    ASSERT_TRUE(chooseStyle(state, whole.c_str()));
    EXPECT_EQ(world.host.style(whole), reinterpret_cast<FakeStyle*>(state.styleHandle));
    storeOutputStyle(state);
    setPrefString("General", "OutputStyle", "");
    state = ExportRequest{};
    readOutputStyle(state);
    EXPECT_EQ(whole, state.styleName);
    EXPECT_FALSE(chooseStyle(state, std::string(kStyleNameSize, 'T').c_str()));
    EXPECT_EQ(whole, state.styleName);
}

TEST(Styles, ChosenStyleAndItsApplication) {
    ExportWorld world;
    FakeStyle& eps = world.host.addStyle("Spreads EPS", KXH_TYPE_EPS);
    eps.containers = {{KXH_OWNER_EPS, {{"EPS/General/Spread", "1"}}},
                      {kPluginId, {{"FWiz/Sep", "-"}, {"FWiz/PageMargins", "1"}}}};
    ExportRequest state{};
    ASSERT_TRUE(chooseStyle(state, "Spreads EPS"));
    EXPECT_EQ("0 2 '-' '.eps' 1 0", describe(state.naming));
    EXPECT_EQ(kStyleTypeEps, state.styleType);
    EXPECT_EQ(1, state.spreads);
    eps.applyResult = 0x10023;
    FakeOutput out;
    applyOutputStyle(runContextFor(state), reinterpret_cast<KxhOutput>(&out));
    EXPECT_EQ(std::vector<int32_t>{0x23}, world.host.errorAlerts); // the low 16 bits
    ASSERT_TRUE(chooseStyle(state, "Deleted since"));
    EXPECT_EQ(kStyleTypeNone, state.styleType);
    EXPECT_EQ(0, state.spreads);
}

} // namespace
