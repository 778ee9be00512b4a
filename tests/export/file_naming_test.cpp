// Output file names: the proposed path, each page's file and the overwrite question.
#include <gtest/gtest.h>

#include <filesystem>

#include "export/file_naming.h"
#include "export/style_settings.h"
#include "export_support.h"
#include "foundation/prefs.h"
#include "host/settings.h"

namespace {

class FileNaming : public ::testing::Test {
  protected:
    ExportWorld world;
    ExportState& state = exportState();

    // Catalog.qxp in C:\Jobs, 12 pages named 1 to 12, the style's default naming.
    void SetUp() override {
        world.host.addLayout(12);
        state.layoutId = 0;
        state.pageCount = 12;
        copyTextTo(state.exportPath, "C:\\Jobs\\Catalog");
        naming("_", 2, ".pdf", 0);
    }
    void naming(const char* separator, int32_t numbers, const char* suffix, uint8_t before) {
        copyTextTo(state.separator, separator);
        state.numbers = numbers;
        copyTextTo(state.suffix, suffix);
        state.numberBeforeName = before;
    }
    template <size_t N> static void copyTextTo(char (&field)[N], const char* text) {
        snprintf(field, N, "%s", text);
    }
    std::string fileOfPage(int page) {
        state.currentPage = static_cast<int16_t>(page);
        EXPECT_TRUE(composeFileName(state)) << "page " << page;
        return state.outputFile;
    }
};

TEST_F(FileNaming, PageFilesFromTheStylesNaming) {
    struct {
        const char* separator;
        int32_t numbers;
        const char* suffix;
        uint8_t before;
        int page;
        const char* file;
    } cases[] = {
        {"_", 2, ".pdf", 0, 5, "C:\\Jobs\\Catalog_005.pdf"},
        {"_", 2, ".pdf", 1, 5, "C:\\Jobs\\005_Catalog.pdf"},
        {"_", 0, ".pdf", 0, 5, "C:\\Jobs\\Catalog_5.pdf"},
        {"_", 1, ".pdf", 0, 5, "C:\\Jobs\\Catalog_05.pdf"},
        {"_", 3, ".pdf", 0, 12, "C:\\Jobs\\Catalog_0012.pdf"},
        {"_", 4, ".pdf", 0, 5, "C:\\Jobs\\Catalog_.pdf"},
        {"_", 2, "---", 0, 5, "C:\\Jobs\\Catalog"},
        {"", 0, "", 0, 5, "C:\\Jobs\\Catalog5"},             // a style without naming data
        {"-p", 9, ".eps", 0, 7, "C:\\Jobs\\Catalog-p7.eps"}, // unknown format: plain number
    };
    for (const auto& c : cases) {
        naming(c.separator, c.numbers, c.suffix, c.before);
        EXPECT_EQ(c.file, fileOfPage(c.page)) << "numbers " << c.numbers << " suffix " << c.suffix;
    }
}

TEST_F(FileNaming, PageNamesAndAbsoluteNumbers) {
    world.host.layouts[0].pageNames[3] = "iv";
    world.host.layouts[0].pageNames[5] = "0";
    EXPECT_EQ("C:\\Jobs\\Catalog_iv.pdf", fileOfPage(4));
    EXPECT_EQ("C:\\Jobs\\Catalog_0.pdf", fileOfPage(6));
    state.absolute = 1;
    state.offset = -2;
    EXPECT_EQ("C:\\Jobs\\Catalog_.pdf", fileOfPage(1));
    EXPECT_EQ("C:\\Jobs\\Catalog_001.pdf", fileOfPage(3));
    EXPECT_EQ("C:\\Jobs\\Catalog_002.pdf", fileOfPage(4)); // absolute ignores the page's name
}

TEST_F(FileNaming, OnePageLayoutFollowsAddAlways) {
    state.pageCount = 1;
    EXPECT_EQ("C:\\Jobs\\Catalog_001.pdf", fileOfPage(1)); // AddAlways defaults to 1
    setAddAlways(0);
    EXPECT_EQ("C:\\Jobs\\Catalog.pdf", fileOfPage(1));
    state.pageCount = 12;
    EXPECT_EQ("C:\\Jobs\\Catalog_001.pdf", fileOfPage(1));
}

TEST_F(FileNaming, FoldersOfEveryForm) {
    struct {
        const char* exportPath;
        const char* file;
    } cases[] = {
        {"C:\\Catalog", "C:\\Catalog_005.pdf"},
        {"Catalog", "Catalog_005.pdf"},
        {"\\Catalog", "Catalog_005.pdf"},
        {"/tmp/out/Catalog", "/tmp/out/Catalog_005.pdf"},
        {"/tmp/out.d/Cat\\alog", "/tmp/out.d/Cat\\alog_005.pdf"},
    };
    for (const auto& c : cases) {
        copyTextTo(state.exportPath, c.exportPath);
        EXPECT_EQ(c.file, fileOfPage(5)) << c.exportPath;
    }
}

TEST_F(FileNaming, ProposedPath) {
    snprintf(state.projectName, sizeof state.projectName, "Catalog");
    snprintf(state.layoutName, sizeof state.layoutName, "Layout 1");
    struct {
        const char* projectPath;
        int32_t lastFolder;
        const char* folderPath;
        int32_t base;
        const char* proposed;
    } cases[] = {
        {"C:\\Jobs\\Catalog.qxp", 0, "D:\\Out", 0, "C:\\Jobs\\Catalog"},
        {"C:\\Jobs\\Catalog.qxp", 1, "D:\\Out", 0, "D:\\Out\\Catalog"},
        {"C:\\Jobs\\Catalog.qxp", 1, "", 0, "C:\\Jobs\\Catalog"},
        {"C:\\Jobs\\Catalog.qxp", 0, "", 1, "C:\\Jobs\\Layout 1"},
        {"", 0, "", 0, "\\Catalog"}, // never saved
    };
    for (const auto& c : cases) {
        snprintf(state.projectPath, sizeof state.projectPath, "%s", c.projectPath);
        setPrefInt("General", "LastFolder", c.lastFolder);
        setPrefString("General", "FolderPath", c.folderPath);
        state.base = c.base;
        ASSERT_TRUE(defaultExportPath(state));
        EXPECT_EQ(c.proposed, std::string(state.exportPath))
            << c.projectPath << " " << c.folderPath;
    }
}

// A composed path that does not fit is refused whole, never cut into another page's name.
TEST_F(FileNaming, PathThatWouldNotFitIsRefused) {
    // exportPath of `length` bytes composes to length + strlen("_005.pdf") bytes.
    auto pathOfLength = [](size_t length) {
        return "C:\\" + std::string(length - 11, 'f') + "\\Catalog";
    };
    const size_t fits = kPathSize - 1 - strlen("_005.pdf");
    state.currentPage = 5;
    copyTextTo(state.exportPath, pathOfLength(fits).c_str());
    ASSERT_EQ(fits, strlen(state.exportPath));
    EXPECT_TRUE(composeFileName(state));
    EXPECT_EQ(kPathSize - 1, strlen(state.outputFile));

    copyTextTo(state.exportPath, pathOfLength(fits + 1).c_str());
    ASSERT_EQ(fits + 1, strlen(state.exportPath));
    EXPECT_FALSE(composeFileName(state));
    EXPECT_EQ("", std::string(state.outputFile));
}

TEST_F(FileNaming, OverwriteQuestion) {
    std::string file = world.folder.file("Catalog_005.pdf");
    snprintf(state.outputFile, sizeof state.outputFile, "%s", file.c_str());
    auto& messages = world.user.log.messages;

    EXPECT_TRUE(overwriteWarning(state)); // no file
    writeFile(file, "old");
    EXPECT_TRUE(overwriteWarning(state)); // preference off: no question, file kept
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ("old", readFile(file));

    setOverwriteWarning(1);
    world.user.log.answers = {2};
    EXPECT_FALSE(overwriteWarning(state));
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("overwriteWarning|Catalog_005.pdf", messages[0]);
    EXPECT_EQ("old", readFile(file));

    world.user.log.answers = {1};
    EXPECT_TRUE(overwriteWarning(state));
    EXPECT_FALSE(std::filesystem::exists(file));

    // A folder or a hidden file of that name is no file to ask about.
    std::filesystem::create_directory(file);
    std::string hidden = world.folder.file(".Catalog");
    writeFile(hidden, "x");
    EXPECT_TRUE(overwriteWarning(state));
    snprintf(state.outputFile, sizeof state.outputFile, "%s", hidden.c_str());
    EXPECT_TRUE(overwriteWarning(state));
    EXPECT_EQ(2u, messages.size());
}

} // namespace
