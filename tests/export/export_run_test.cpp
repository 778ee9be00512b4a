// Whole page-mode runs: the dialog's choices, the page loop, the host's output set-up and what
// is remembered afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "export/export_run.h"
#include "export/page_range.h"
#include "export/run_context.h"
#include "export/style_choice.h"
#include "export_support.h"
#include "foundation/localize.h"
#include "foundation/log.h"
#include "foundation/shipped_tables.h"
#include "foundation/prefs.h"

namespace {

class ExportRun : public ::testing::Test {
  protected:
    ExportWorld world;
    std::string jobs = world.folder + "/Jobs";

    void SetUp() override {
        std::filesystem::create_directory(jobs);
        world.host.documentPath = jobs + "/Catalog.lyt";
        world.host.addLayout(12);
        world.host.addStyle("Default EPS", KXH_TYPE_EPS, true);
        world.host.addStyle("Default PDF", KXH_TYPE_PDF, true).containers[kPluginId] = {};
        world.host.addStyle("Spreads EPS", KXH_TYPE_EPS).containers = {
            {kPluginId, {}},
            {KXH_OWNER_EPS, {{"EPS/General/Spread", "1"}}},
            {KXH_OWNER_BLEED, {{"BleedSettings/Symmetric", "9"}}}};
    }
    // The user confirms the dialog with this style and absolute range, keeping the proposed
    // path unless another is given.
    void run(const std::string& style, const std::string& range, const std::string& path = "") {
        world.dialog = [=](ExportRequest& request) {
            EXPECT_TRUE(chooseStyle(request, style.c_str()));
            request.absolute = 1;
            request.range = range;
            return path.empty() ? request.exportPath + std::string(".pdf") : path;
        };
        exportPages(false);
    }
    std::string written() {
        std::string names;
        for (const FakeOutput& out : world.host.outputs)
            names += std::filesystem::path(out.file).filename().string() + " ";
        return names;
    }
    std::string preference(const char* key) {
        char text[kPathSize];
        return getPrefString("General", key, text, sizeof text) < 0 ? "(none)" : text;
    }
};

TEST_F(ExportRun, EachPageOfTheRangeToItsOwnFile) {
    world.host.exportFlag = 1;
    run("Default PDF", "1-2,12");
    EXPECT_EQ("Catalog_001.pdf Catalog_002.pdf Catalog_012.pdf ", written());
    const FakeOutput& last = world.host.outputs.back();
    EXPECT_EQ(jobs + "/Catalog_012.pdf", last.file);
    EXPECT_EQ("12-12 Default PDF",
              std::to_string(last.first) + "-" + std::to_string(last.last) + " " + last.style);
    EXPECT_EQ(KXH_TYPE_PDF, last.type);
    EXPECT_EQ(KXH_EXPORT_QUIET, last.options);
    EXPECT_EQ("%%Kestrix: 7.03\r\n", readFile(jobs + "/Catalog_002.pdf"));
    EXPECT_EQ("saveAsPDF", world.progressTitle);
    EXPECT_EQ((std::vector<uint8_t>{0, 1}), world.host.flagWrites); // off for the run only
    EXPECT_EQ(nullptr, activeRun());
    EXPECT_EQ(jobs, preference("FolderPath"));
    EXPECT_EQ("Default PDF", preference("OutputStyle"));
}

TEST_F(ExportRun, NothingSelectedOrCancelled) {
    world.dialog = nullptr;
    exportPages(false);
    EXPECT_EQ("(none) (none)", preference("OutputStyle") + " " + preference("FolderPath"));
    run("Default EPS", "");
    EXPECT_EQ("", written());
    EXPECT_EQ("", world.progressTitle); // no progress dialog
    EXPECT_EQ("Default EPS", preference("OutputStyle"));
    world.host.frontLayout = -1;
    run("Default PDF", "1");
    EXPECT_EQ("", written());
}

// A page that is not written ends the run with the file and the reason, whether the user
// refused to replace it, the host failed, or the host claimed a success that left no file;
// the pages written before stay. Only the user's cancel ends it without a message.
TEST_F(ExportRun, RefusedOverwriteOrFailedPageEndsTheRun) {
    for (int p = 1; p <= 5; p++)
        writeFile(jobs + "/Catalog_00" + std::to_string(p) + ".pdf", "old");
    setPrefInt("General", "OverwriteWarning", 1);
    world.answers = {Answer::Yes, Answer::Yes, Answer::No};
    run("Default PDF", "1-5");
    EXPECT_EQ("Catalog_001.pdf Catalog_002.pdf ", written());
    EXPECT_EQ("old old",
              readFile(jobs + "/Catalog_003.pdf") + " " + readFile(jobs + "/Catalog_004.pdf"));

    setPrefInt("General", "OverwriteWarning", 0);
    struct Case {
        const char* name;
        int32_t result; // of the second page of 6-9
        bool writeFiles;
        int lastPage; // the page that ends the run
        const char* message;
    } cases[] = {
        {"write failed", KXH_OUTPUT_WRITE_FAILED, true, 7, "exportWriteFailed"},
        {"distiller", KXH_OUTPUT_DISTILLER, true, 7, "exportDistillerFailed"},
        {"other host error", KXH_OUTPUT_BUSY, true, 7, "exportHostError 1007"},
        {"success without a file", 0, false, 6, "exportFileMissing"},
        {"cancelled", KXH_OUTPUT_CANCELLED, true, 7, nullptr},
    };
    for (const Case& c : cases) {
        world.host.outputs.clear();
        world.messages.clear();
        std::filesystem::remove(jobs + "/Catalog_006.pdf");
        world.host.results = {{2, c.result}};
        world.host.writeFiles = c.writeFiles;
        world.host.results = c.writeFiles ? world.host.results : decltype(world.host.results){};
        run("Default PDF", "6-9");
        std::string last = "Catalog_00" + std::to_string(c.lastPage) + ".pdf";
        EXPECT_EQ(c.lastPage == 6 ? last + " " : "Catalog_006.pdf " + last + " ", written())
            << c.name;
        EXPECT_EQ(c.message ? std::vector<std::string>{"exportFailed|" + jobs + "/" + last + "\n" +
                                                       c.message}
                            : std::vector<std::string>{},
                  world.messages)
            << c.name;
    }
}

// The progress line names the page being written and a failure says why, in either language.
TEST_F(ExportRun, ProgressAndFailureInTheUsersLanguage) {
    ASSERT_TRUE(useShippedTables());
    world.host.layouts[0].pageNames = {"i", "ii", "1", "2"};
    struct Case {
        int16_t language;
        const char* progress;
        const char* reason;
    } cases[] = {
        {kLanguageEnglish, "Kestrix:     Page ii|Kestrix:     Page 1|",
         "The page could not be exported:|The file could not be written"},
        {kLanguageGerman, "Kestrix:     Seite ii|Kestrix:     Seite 1|",
         "Die Seite konnte nicht exportiert werden:|Die Datei konnte nicht geschrieben werden"},
    };
    for (const Case& c : cases) {
        setInterfaceLanguage(c.language);
        ASSERT_EQ(0, loadStringTable());
        world.host.outputs.clear();
        world.progressTexts.clear();
        world.messages.clear();
        world.host.results = {{2, KXH_OUTPUT_WRITE_FAILED}};
        run("Default PDF", "2-3");
        std::string lines;
        for (const std::string& text : world.progressTexts)
            lines += text + "|";
        EXPECT_EQ(c.progress, lines);
        ASSERT_EQ(1u, world.messages.size());
        // The box localises its key; the reason in the detail comes localised.
        char title[kLocalizedSize];
        localize("exportFailed", title, sizeof title);
        std::string shown =
            title + ("|" + world.messages[0].substr(world.messages[0].find('\n') + 1));
        EXPECT_EQ(0u, shown.find(c.reason)) << shown;
    }
    unloadStringTable();
    setInterfaceLanguage(kLanguageEnglish);
}

// Names that differ only in case are one file on Windows: the run writes nothing and says so,
// even when no dialog checked the names before.
TEST_F(ExportRun, NamesAlikeButForCaseWriteNothing) {
    world.host.layouts[0].pageNames = {"a", "b", "A"};
    world.dialog = [](ExportRequest& request) {
        EXPECT_TRUE(chooseStyle(request, "Default PDF"));
        request.range = "a-A";
        return request.exportPath + std::string(".pdf");
    };
    exportPages(false);
    EXPECT_EQ("", written());
    EXPECT_EQ(std::vector<std::string>{"repeatedFileName|Catalog_A.pdf"}, world.messages);
}

TEST_F(ExportRun, SpreadSelectedByItsSecondPage) {
    world.host.layouts[0].spreads = {{1}, {2, 3}, {4, 5}, {6, 7}, {8, 9}, {10, 11}, {12}};
    run("Spreads EPS", "3");
    ASSERT_EQ("Catalog_002.eps ", written());
    const FakeOutput& out = world.host.outputs[0];
    EXPECT_EQ("2-3", std::to_string(out.first) + "-" + std::to_string(out.last));
    // The output is the whole spread: 0 0 792 1224 (top, left, bottom, right).
    EXPECT_NE(std::string::npos, out.postscript.find("\t0.000 792.000 m transform /y1"));
    EXPECT_NE(std::string::npos, out.postscript.find("\t1224.000 0.000 m transform /y2"));
    EXPECT_EQ("saveAsEPS", world.progressTitle);
}

// Each traced step ends its text with a line end of its own, as the log's readers expect: the
// logger's line end then leaves an empty line behind it.
TEST_F(ExportRun, TraceOfARun) {
    setenv("XDG_DOCUMENTS_DIR", world.folder.c_str(), 1);
    startLog(1, "KxExportLog", nullptr);
    run("Default PDF", "2-3");
    setLogLevel(0);
    std::string log = readFile(logPath());
    std::string lines = std::regex_replace(log, std::regex("\\d\\d:\\d\\d:\\d\\d:\\d\\d\\d: "), "");
    const std::string expected = "exportPath: " + jobs +
                                 "/Catalog\r\n\r\n"
                                 "doExport\r\n\r\n"
                                 "exportPage: 2\r\n\r\n"
                                 "applyOutputStyle: Default PDF\r\n\r\n"
                                 "exportPage: 3\r\n\r\n"
                                 "applyOutputStyle: Default PDF\r\n\r\n";
    EXPECT_EQ(expected, lines) << "log as written:\n" << log;
}

// Mends: a name that would not fit is refused with a message, and large layouts export.
TEST_F(ExportRun, OverlongPathIsRefusedAndLargeLayoutsExport) {
    run("Default PDF", "9-10",
        jobs + "/" + std::string(kPathSize - jobs.size() - 10, 'd') + "/C.pdf");
    EXPECT_EQ("", written());
    EXPECT_EQ(std::vector<std::string>{"pathTooLong|C"}, world.messages);

    world.host.layouts[0] = FakeLayout{};
    for (int p = 1; p <= 9999; p++)
        world.host.layouts[0].pageNames.push_back(std::to_string(p));
    run("Default PDF", "2003-2004,9999");
    EXPECT_EQ("Catalog_2003.pdf Catalog_2004.pdf Catalog_9999.pdf ", written());
}

} // namespace
