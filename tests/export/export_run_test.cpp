// Whole page-mode runs: the dialog's choices, the page loop, the host's output set-up and what
// is remembered afterwards.
#include <gtest/gtest.h>

#include <filesystem>

#include "export/export_run.h"
#include "export/page_range.h"
#include "export/style_choice.h"
#include "export_support.h"
#include "foundation/prefs.h"
#include "host/settings.h"

namespace {

std::string rectText(const KxhRect& r) {
    return std::to_string(r.top / 65536) + " " + std::to_string(r.left / 65536) + " " +
           std::to_string(r.bottom / 65536) + " " + std::to_string(r.right / 65536);
}

class ExportRun : public ::testing::Test {
  protected:
    ExportWorld world;
    std::string jobs;

    void SetUp() override {
        jobs = world.folder.path() + "/Jobs";
        std::filesystem::create_directory(jobs);
        world.host.document.path = jobs + "/Catalog.qxp";
        world.host.addLayout(12);
        world.host.addStyle("Default EPS", KXH_TYPE_EPS, true);
        FakeStyle& pdf = world.host.addStyle("Default PDF", KXH_TYPE_PDF, true);
        pdf.containers[kKestrixOwner] = {};
        FakeStyle& spreads = world.host.addStyle("Spreads EPS", KXH_TYPE_EPS);
        spreads.containers[kKestrixOwner] = {};
        spreads.containers[KXH_OWNER_EPS] = {{"EPS/General/Spread", "1"}};
        spreads.containers[KXH_OWNER_BLEED] = {{"BleedSettings/Symmetric", "9"}};
    }

    // The user confirms the dialog with this style and range; the path is what was proposed
    // unless one is given.
    void confirmWith(const std::string& style, const std::string& range, int16_t absolute = 1,
                     const std::string& path = "") {
        world.user.log.dialog = [=](ExportState& state) {
            EXPECT_TRUE(chooseStyle(state, style.c_str()));
            state.absolute = absolute;
            EXPECT_EQ(0, parsePageRange(range.c_str(), state)) << range;
            std::string chosen = path.empty() ? std::string(state.exportPath) + ".pdf" : path;
            return setDialogPath(state, chosen.c_str());
        };
    }

    std::vector<std::string> writtenFiles() {
        std::vector<std::string> files;
        for (const FakeOutput& out : world.host.outputs)
            files.push_back(std::filesystem::path(out.file).filename().string());
        return files;
    }
};

TEST_F(ExportRun, PagesOfARangeEachToTheirOwnFile) {
    world.host.exportFlag = 1;
    confirmWith("Default PDF", "1-3,12");
    exportPages(false);

    EXPECT_EQ((std::vector<std::string>{"Catalog_001.pdf", "Catalog_002.pdf", "Catalog_003.pdf",
                                        "Catalog_012.pdf"}),
              writtenFiles());
    ASSERT_EQ(4u, world.host.outputs.size());
    const FakeOutput& last = world.host.outputs.back();
    EXPECT_EQ(jobs + "/Catalog_012.pdf", last.file);
    EXPECT_EQ(12, last.first);
    EXPECT_EQ(12, last.last);
    EXPECT_EQ("Default PDF", last.style);
    EXPECT_EQ(KXH_TYPE_PDF, last.type);
    EXPECT_EQ(KXH_EXPORT_QUIET, last.options);
    EXPECT_EQ("%%Kestrix: 7.03\r\n", last.postscript);
    EXPECT_TRUE(std::filesystem::exists(jobs + "/Catalog_003.pdf"));
    EXPECT_EQ("saveAsPDF", world.user.log.progressTitle);

    // The host's export flag is off during the run and back afterwards.
    EXPECT_EQ((std::vector<uint8_t>{0, 1}), world.host.flagWrites);
    EXPECT_EQ(0, exportState().exporting);

    char text[600];
    EXPECT_EQ(int32_t(jobs.size()), getPrefString("General", "FolderPath", text, sizeof text));
    EXPECT_EQ(jobs, text);
    getOutputStyle(text, sizeof text);
    EXPECT_EQ("Default PDF", std::string(text));
    EXPECT_EQ(1, world.host.document.changeMarks);
}

TEST_F(ExportRun, EmptyRangeWritesNothingButRemembersTheStyle) {
    confirmWith("Default EPS", "");
    exportPages(false);
    EXPECT_TRUE(world.host.outputs.empty());
    EXPECT_EQ(0, world.user.log.progressRuns);
    char name[256];
    getOutputStyle(name, sizeof name);
    EXPECT_EQ("Default EPS", std::string(name));
}

TEST_F(ExportRun, CancelledDialogStoresNothing) {
    world.user.log.dialog = nullptr;
    exportPages(false);
    EXPECT_TRUE(world.host.outputs.empty());
    char text[256];
    EXPECT_EQ(-1, getPrefString("General", "OutputStyle", text, sizeof text));
    EXPECT_EQ(-1, getPrefString("General", "FolderPath", text, sizeof text));
    EXPECT_FALSE(world.host.layouts[0].hasData);
}

TEST_F(ExportRun, RefusingTheThirdOverwriteStopsTheRun) {
    for (int p = 1; p <= 5; p++)
        writeFile(jobs + "/Catalog_00" + std::to_string(p) + ".pdf", "old");
    setOverwriteWarning(1);
    world.user.log.answers = {1, 1, 2};
    confirmWith("Default PDF", "1-5");
    exportPages(false);
    EXPECT_EQ((std::vector<std::string>{"Catalog_001.pdf", "Catalog_002.pdf"}), writtenFiles());
    EXPECT_EQ(0, world.user.log.progressResult);
    EXPECT_EQ("old", readFile(jobs + "/Catalog_003.pdf"));
    EXPECT_EQ("old", readFile(jobs + "/Catalog_004.pdf"));
    EXPECT_EQ("%%Kestrix: 7.03\r\n", readFile(jobs + "/Catalog_002.pdf"));
}

TEST_F(ExportRun, UserCancelInTheHostEndsTheRun) {
    world.host.exportResults[2] = KXH_OUTPUT_CANCELLED;
    world.host.exportResults[1] = KXH_OUTPUT_WRITE_FAILED; // other failures go on
    confirmWith("Default PDF", "1-5");
    exportPages(false);
    EXPECT_EQ(2u, world.host.outputs.size());
}

TEST_F(ExportRun, SpreadSelectedByItsSecondPage) {
    FakeLayout& layout = world.host.layouts[0];
    layout.spreads = {{1}, {2, 3}, {4, 5}, {6, 7}, {8, 9}, {10, 11}, {12}};
    confirmWith("Spreads EPS", "3");
    exportPages(false);
    ASSERT_EQ(1u, world.host.outputs.size());
    const FakeOutput& out = world.host.outputs[0];
    EXPECT_EQ(jobs + "/Catalog_002.eps", out.file);
    EXPECT_EQ(2, out.first);
    EXPECT_EQ(3, out.last);
    const ExportState& state = exportState();
    EXPECT_EQ("0 0 792 1224", rectText(state.outputRect));
    EXPECT_EQ(9 * 65536, state.bleed);
    EXPECT_NE(std::string::npos, out.postscript.find("\t1224.000 0.000 m transform /y2"));
    EXPECT_EQ("saveAsEPS", world.user.log.progressTitle);
}

TEST_F(ExportRun, UsersOwnOutputGetsNoSetUp) {
    confirmWith("Default PDF", "1");
    exportPages(false);
    FakeOutput printed = world.host.print("Default PDF", 4, 6);
    EXPECT_EQ("", printed.file);
    EXPECT_EQ(4, printed.first);
    EXPECT_EQ(6, printed.last);
    EXPECT_EQ("", printed.postscript);
}

TEST_F(ExportRun, NoLayoutNoRun) {
    world.host.frontLayout = 5;
    confirmWith("Default PDF", "1");
    exportPages(false);
    EXPECT_TRUE(world.host.outputs.empty());
    EXPECT_EQ(0, world.user.log.progressRuns);
}

// A page whose composed name would not fit is refused with a message; nothing is written under
// a cut name.
TEST_F(ExportRun, OverlongOutputPathIsRefusedClearly) {
    std::string deep = jobs + "/" + std::string(kPathSize - jobs.size() - 16, 'd') + "/Catalog.pdf";
    confirmWith("Default PDF", "9-10", 1, deep);
    exportPages(false);
    EXPECT_TRUE(world.host.outputs.empty());
    ASSERT_EQ(1u, world.user.log.messages.size());
    EXPECT_EQ("The output file name is too long:|Catalog", world.user.log.messages[0]);
}

TEST_F(ExportRun, NineThousandNineHundredNinetyNinePages) {
    world.host.layouts[0] = FakeLayout{};
    for (int p = 1; p <= 9999; p++)
        world.host.layouts[0].pageNames.push_back(std::to_string(p));
    world.host.writeFiles = false;
    confirmWith("Default PDF", "2000-2004,9999");
    exportPages(false);
    EXPECT_EQ(
        (std::vector<std::string>{"Catalog_2000.pdf", "Catalog_2001.pdf", "Catalog_2002.pdf",
                                  "Catalog_2003.pdf", "Catalog_2004.pdf", "Catalog_9999.pdf"}),
        writtenFiles());
    EXPECT_EQ(9999, world.host.outputs.back().first);
}

} // namespace
