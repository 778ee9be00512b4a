// Area exports and the overflow check as whole runs against the fake host: what is hidden
// while the host writes, what the user's document looks like afterwards, and what is shown.
#include <gtest/gtest.h>

#include "export/export_run.h"
#include "export/file_naming.h"
#include "export/style_choice.h"
#include "export_support.h"
#include "foundation/prefs.h"
#include "foundation/settings.h"

namespace {

KxhRect points(double top, double left, double bottom, double right) {
    auto f = [](double v) { return KxhFixed(v * 65536); };
    return KxhRect{f(top), f(left), f(bottom), f(right)};
}

FakeItem item(const char* name, int32_t page, KxhRect bounds, int32_t kind = KXH_ITEM_BOX) {
    FakeItem it;
    it.name = name;
    it.page = page;
    it.bounds = bounds;
    it.kind = kind;
    return it;
}

class AreaRun : public ::testing::Test {
  protected:
    ExportWorld world;

    void SetUp() override {
        world.host.addLayout(12);
        world.host.addStyle("Bleed PDF", KXH_TYPE_PDF, true).containers = {
            {kPluginId, {}}, {KXH_OWNER_BLEED, {{"BleedSettings/Symmetric", "9"}}}};
        auto& items = world.host.items;
        // A 100 x 50 pt box 36 pt from the left and 72 pt from the top of page 1.
        items.push_back(item("Box", 1, points(72, 36, 122, 136)));
        items.push_back(item("Corner", 1, points(121, 135, 200, 300), KXH_ITEM_TEXT));
        items.push_back(item("Far", 1, points(400, 36, 450, 300)));
        items.push_back(item("Mine", 1, points(500, 36, 550, 300)));
        items.back().suppress = true;
        // Overflowing, but neither on the box's page nor selected.
        items.push_back(item("Late", 12, points(72, 36, 92, 100), KXH_ITEM_TEXT));
        items.back().overflows = true;
        world.host.selected = 0;
        std::string file = world.folder + "/Detail";
        world.dialog = [file](ExportRequest& request) {
            return chooseStyle(request, "Bleed PDF") ? file : std::string();
        };
        setPrefInt("General", "ShowAfterExport", 1);
    }
    std::string suppressed() {
        std::string names;
        for (const FakeItem& it : world.host.items)
            if (it.suppress) names += it.name + " ";
        return names;
    }
};

TEST_F(AreaRun, FailedExportIsReportedOpensNothingAndGivesBackEachSetting) {
    world.host.results[1] = KXH_OUTPUT_WRITE_FAILED;
    exportPages(true);
    ASSERT_EQ(world.host.outputs.size(), 1u);
    const FakeOutput& out = world.host.outputs[0];
    // Corner touches the box by one point; Late lies on another spread, which is not output.
    EXPECT_EQ(out.suppressed, "Far Mine") << "only items touching the box are output";
    EXPECT_EQ(world.messages, std::vector<std::string>{"areaExportFailed|" + world.folder +
                                                       "/Detail.pdf\nexportWriteFailed"})
        << "the file and why it was not written";
    EXPECT_TRUE(world.opened.empty()) << "a file that was not written is not opened";
    EXPECT_EQ(suppressed(), "Mine ") << "the user's own setting stays, the others are back";
}

TEST_F(AreaRun, WrittenAreaCarriesItsBoxesAndIsShown) {
    exportPages(true);
    ASSERT_EQ(world.host.outputs.size(), 1u);
    const FakeOutput& out = world.host.outputs[0];
    EXPECT_EQ(out.first, 1);
    EXPECT_EQ(out.last, 1);
    EXPECT_EQ(out.file, world.folder + "/Detail.pdf");
    EXPECT_NE(out.postscript.find("<</TrimBox [45.000 679.000 145.000 729.000]>>"),
              std::string::npos)
        << out.postscript;
    EXPECT_NE(out.postscript.find("<</CropBox [36.000 670.000 154.000 738.000]>>"),
              std::string::npos);
    EXPECT_EQ(world.messages, std::vector<std::string>{}) << "no overflow outside the selection";
    EXPECT_EQ(world.opened, std::vector<std::string>{world.folder + "/Detail.pdf"});
    EXPECT_EQ(suppressed(), "Mine ");
}

TEST_F(AreaRun, OverflowInPageModeAsksOnceOrEndsAtOnceWithAbortOnOverflow) {
    world.answers = {Answer::No};
    exportPages(false);
    EXPECT_EQ(world.messages, std::vector<std::string>{"overflowErr|"});
    EXPECT_EQ(world.host.selected, 4) << "No selects and shows the box";
    EXPECT_TRUE(world.host.outputs.empty());

    // Every output would be stopped: one message, and the run ends before any page.
    world.messages.clear();
    world.host.selected = 0;
    setAbortOnOverflow(1);
    exportPages(false);
    EXPECT_EQ(world.messages, std::vector<std::string>{"overflowErr2|"});
    EXPECT_EQ(world.host.selected, 4);
    EXPECT_TRUE(world.host.outputs.empty());

    // The host's own output of the layout is stopped by the hook.
    world.messages.clear();
    FakeOutput print;
    EXPECT_EQ(world.host.runOutput(print, 0), KXH_OUTPUT_ABORTED);
    EXPECT_EQ(world.messages, std::vector<std::string>{"overflowErr2|"});
}

} // namespace
