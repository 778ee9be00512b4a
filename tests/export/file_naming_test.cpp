// Output file names: the proposed path, each page's file and the overwrite question.
#include <gtest/gtest.h>

#include <filesystem>

#include "export/file_naming.h"
#include "export_support.h"
#include "foundation/prefs.h"

namespace {

template <size_t N> void put(char (&field)[N], const std::string& text) {
    snprintf(field, N, "%s", text.c_str());
}

class FileNaming : public ::testing::Test {
  protected:
    ExportWorld world;
    ExportRequest state{};
    std::string lastFile; // of the last fileOf
    void SetUp() override {
        world.host.addLayout(12);
        state.pageCount = 12;
    }
    // The file of `page` for the exportPath and naming given; "refused" when it does not fit.
    std::string fileOf(const std::string& exportPath, const char* separator, int32_t numbers,
                       const char* suffix, uint8_t numberFirst, int page) {
        put(state.exportPath, exportPath);
        put(state.naming.separator, separator);
        put(state.naming.suffix, suffix);
        state.naming.numbers = numbers;
        state.naming.numberBeforeName = numberFirst;
        bool fits = composeFileName(state, page, lastFile);
        return fits ? lastFile : "refused";
    }
};

TEST_F(FileNaming, PageFiles) {
    const std::string jobs = "C:\\Jobs\\Catalog";
    // A path that composes to exactly the field's last byte, and one a byte longer.
    const std::string fits = "C:\\" + std::string(kPathSize - 20, 'f') + "\\Catalog";
    world.host.layouts[0].pageNames[3] = "iv";
    world.host.layouts[0].pageNames[5] = "0";
    struct {
        std::string path;
        const char* separator;
        int32_t numbers;
        const char* suffix;
        uint8_t first;
        int page;
        std::string file;
    } cases[] = {
        {jobs, "_", 2, ".pdf", 0, 5, "C:\\Jobs\\Catalog_005.pdf"},
        {jobs, "_", 2, ".pdf", 1, 5, "C:\\Jobs\\005_Catalog.pdf"},
        {jobs, "_", 0, ".pdf", 0, 5, "C:\\Jobs\\Catalog_5.pdf"},
        {jobs, "_", 3, ".pdf", 0, 12, "C:\\Jobs\\Catalog_0012.pdf"},
        {jobs, "_", 4, ".pdf", 0, 5, "C:\\Jobs\\Catalog_.pdf"},
        {jobs, "_", 2, "---", 0, 5, "C:\\Jobs\\Catalog"},
        {jobs, "", 0, "", 0, 5, "C:\\Jobs\\Catalog5"},           // a style without naming data
        {jobs, "-", 9, ".eps", 0, 7, "C:\\Jobs\\Catalog-7.eps"}, // unknown format: plain number
        {jobs, "_", 2, ".pdf", 0, 4, "C:\\Jobs\\Catalog_iv.pdf"},
        {jobs, "_", 2, ".pdf", 0, 6, "C:\\Jobs\\Catalog_0.pdf"},
        {"Catalog", "_", 2, ".pdf", 0, 5, "Catalog_005.pdf"},
        {"\\Catalog", "_", 2, ".pdf", 0, 5, "Catalog_005.pdf"},
        {"/tmp/o.d/Cat\\x", "_", 2, ".pdf", 0, 5, "/tmp/o.d/Cat\\x_005.pdf"},
        {fits, "_", 2, ".pdf", 0, 5, fits + "_005.pdf"},
        {fits, "_", 3, ".pdf", 0, 5, "refused"}, // never cut into another page's name
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.file, fileOf(c.path, c.separator, c.numbers, c.suffix, c.first, c.page))
            << c.path.substr(0, 40) << " numbers " << c.numbers << " page " << c.page;
    EXPECT_EQ(kPathSize - 1, (fits + "_005.pdf").size());
    EXPECT_EQ("", lastFile);

    state.absolute = 1;
    state.offset = -2;
    EXPECT_EQ("C:\\Jobs\\Catalog_.pdf", fileOf(jobs, "_", 2, ".pdf", 0, 1));
    EXPECT_EQ("C:\\Jobs\\Catalog_002.pdf", fileOf(jobs, "_", 2, ".pdf", 0, 4)); // not "iv"

    state.absolute = 0;
    state.pageCount = 1;
    EXPECT_EQ("C:\\Jobs\\Catalog_001.pdf", fileOf(jobs, "_", 2, ".pdf", 0, 1)); // AddAlways 1
    setPrefInt("General", "AddAlways", 0);
    EXPECT_EQ("C:\\Jobs\\Catalog.pdf", fileOf(jobs, "_", 2, ".pdf", 0, 1));
}

TEST_F(FileNaming, ProposedPath) {
    put(state.projectName, "Catalog");
    put(state.layoutName, "Layout 1");
    struct {
        const char* projectPath;
        int32_t lastFolder;
        const char* folderPath;
        int32_t base;
        const char* proposed;
    } cases[] = {
        {"C:\\Jobs\\Catalog.lyt", 0, "D:\\Out", 0, "C:\\Jobs\\Catalog"},
        {"C:\\Jobs\\Catalog.lyt", 1, "D:\\Out", 0, "D:\\Out\\Catalog"},
        {"C:\\Jobs\\Catalog.lyt", 1, "", 0, "C:\\Jobs\\Catalog"},
        {"C:\\Jobs\\Catalog.lyt", 0, "", 1, "C:\\Jobs\\Layout 1"},
        {"", 0, "", 0, "\\Catalog"}, // never saved
    };
    for (const auto& c : cases) {
        put(state.projectPath, c.projectPath);
        setPrefInt("General", "LastFolder", c.lastFolder);
        setPrefString("General", "FolderPath", c.folderPath);
        state.naming.base = c.base;
        EXPECT_TRUE(defaultExportPath(state));
        EXPECT_EQ(c.proposed, std::string(state.exportPath)) << c.projectPath << c.folderPath;
    }
}

TEST_F(FileNaming, OverwriteQuestion) {
    const std::string file = world.folder + "/Catalog_005.pdf", hidden = world.folder + "/.C";
    writeFile(file, "old");
    writeFile(hidden, "old");
    EXPECT_TRUE(overwriteWarning(file.c_str())); // preference off: no question, file kept
    setPrefInt("General", "OverwriteWarning", 1);
    world.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(overwriteWarning(file.c_str()));
    EXPECT_EQ("old", readFile(file));
    EXPECT_TRUE(overwriteWarning(file.c_str()));
    EXPECT_FALSE(std::filesystem::exists(file));
    std::filesystem::create_directory(file); // a folder or a hidden file: nothing to ask
    EXPECT_TRUE(overwriteWarning(file.c_str()));
    EXPECT_TRUE(overwriteWarning(hidden.c_str()));
    EXPECT_EQ((std::vector<std::string>{"overwriteWarning|Catalog_005.pdf",
                                        "overwriteWarning|Catalog_005.pdf"}),
              world.messages);
}

} // namespace
