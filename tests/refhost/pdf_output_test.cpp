#include "model/file_io.h"
#include "model/project_file.h"
#include "output/distiller.h"
#include "output/output.h"
#include "output/unix_command.h"
#include "output_test_support.h"
#include "refhost_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace refhost;
using namespace refhost_test;

namespace {

struct Box {
    double x1, y1, x2, y2;
};

// pdfinfo -box for the pages first..last, read natively through the Unix start.
std::string pdfinfo(const std::string& pdf, int first, int last) {
    UnixRun run = runUnixCommand({"/usr/bin/pdfinfo", "-box", "-f", std::to_string(first), "-l",
                                  std::to_string(last), unixPathOf(pdf)},
                                 60000);
    return run.exitCode == 0 ? run.output : "pdfinfo failed: " + run.output;
}

// "MediaBox" of page 2 as four numbers, or an empty text.
std::string boxOf(const std::string& info, int page, const std::string& name) {
    char key[64];
    std::snprintf(key, sizeof key, "Page %4d %s:", page, name.c_str());
    size_t p = info.find(key);
    if (p == std::string::npos) return "";
    double a, b, c, d;
    if (std::sscanf(info.c_str() + p + std::string(key).size(), "%lf %lf %lf %lf", &a, &b, &c,
                    &d) != 4)
        return "";
    char out[128];
    std::snprintf(out, sizeof out, "%.2f %.2f %.2f %.2f", a, b, c, d);
    return out;
}

std::string pagesOf(const std::string& info) {
    size_t p = info.find("Pages:");
    if (p == std::string::npos) return "";
    int n = 0;
    std::sscanf(info.c_str() + p + 6, "%d", &n);
    return std::to_string(n);
}

class PdfOutputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setDistillerPath("");
        HostSettings& s = hostSettings();
        s = HostSettings{};
        addStyle(s, "Default PDF", kTypePdf, 0, false).isDefault = true;
        doc = makeTestDocument();
        layout = doc->layouts[0].get();
    }
    void TearDown() override {
        setDistillerPath("");
        setPdfOpener(nullptr);
        resetSettings(hostSettings());
    }
    OutputRequest request(const std::string& file, int first, int last, OutputStyle* style) {
        OutputRequest r;
        r.layout = layout;
        r.type = kTypePdf;
        r.outputFile = dir.file(file);
        r.firstPage = first;
        r.lastPage = last;
        r.style = style;
        return r;
    }
    CMyTempDir dir;
    std::unique_ptr<Document> doc;
    Layout* layout = nullptr;
};

std::vector<std::string> gOpened;
void rememberOpened(const std::string& path) {
    gOpened.push_back(path);
}

} // namespace

TEST_F(PdfOutputTest, CatalogSampleGivesTwelveLetterPages) {
    std::string error;
    auto catalog = loadProject(sourceFile("samples/Catalog.lyt"), false, &error);
    ASSERT_TRUE(catalog) << error;
    OutputRequest r = request("catalog.pdf", 0, 0, nullptr);
    r.layout = catalog->layouts[0].get();
    ASSERT_EQ(runOutput(r, &error), kOutputOk) << error;
    std::string info = pdfinfo(dir.file("catalog.pdf"), 1, 12);
    EXPECT_EQ(pagesOf(info), "12") << info;
    for (int p = 1; p <= 12; ++p)
        EXPECT_EQ(boxOf(info, p, "MediaBox"), "0.00 0.00 612.00 792.00") << "page " << p;
    UnixRun text = runUnixCommand(
        {"/usr/bin/pdftotext", "-f", "1", "-l", "1", unixPathOf(dir.file("catalog.pdf")), "-"},
        60000);
    EXPECT_NE(text.output.find("Spring Catalog"), std::string::npos) << text.output;
}

TEST_F(PdfOutputTest, PageSizeIsThePageOrSpreadPlusBleed) {
    struct Case {
        const char* what;
        double bleed;
        bool spreads;
        int first, last;
        std::vector<std::string> media;
    } cases[] = {
        {"pages", 0, false, 1, 2, {"0.00 0.00 612.00 792.00", "0.00 0.00 612.00 792.00"}},
        {"pages with bleed", 9, false, 3, 3, {"0.00 0.00 630.00 810.00"}},
        {"spreads with bleed",
         9,
         true,
         1,
         3,
         {"0.00 0.00 630.00 810.00", "0.00 0.00 1242.00 810.00"}},
    };
    for (const auto& c : cases) {
        OutputStyle& style = addStyle(hostSettings(), c.what, kTypePdf, c.bleed, c.spreads);
        std::string error;
        ASSERT_EQ(runOutput(request("sizes.pdf", c.first, c.last, &style), &error), kOutputOk)
            << c.what << ": " << error;
        int n = static_cast<int>(c.media.size());
        std::string info = pdfinfo(dir.file("sizes.pdf"), 1, n);
        EXPECT_EQ(pagesOf(info), std::to_string(n)) << c.what << "\n" << info;
        for (int p = 1; p <= n; ++p)
            EXPECT_EQ(boxOf(info, p, "MediaBox"), c.media[p - 1]) << c.what << " page " << p;
    }
}

TEST_F(PdfOutputTest, PageHookPostScriptUsesThePageCoordinates) {
    // The block a plug-in writes for a TrimBox: the corners of the output page, in page
    // coordinates, mapped to default user space through the current matrix.
    HookRecorder hooks;
    hooks.action = [](OutputHookCall& call) {
        if (call.hook != OutputHook::PageMarks) return;
        const Rect& r = call.job->currentRect;
        char ps[1024];
        int n = std::snprintf(
            ps, sizeof ps,
            "10 dict begin\r\n\t/m matrix currentmatrix matrix defaultmatrix matrix invertmatrix "
            "matrix concatmatrix def\r\n\t%.3f %.3f m transform /y1 exch def /x1 exch def\r\n"
            "\t%.3f %.3f m transform /y2 exch def /x2 exch def\r\n\t/pdfmark where {pop "
            "[{ThisPage} <</TrimBox [x1 y1 x2 y2]>> /PUT pdfmark} if\r\nend\r\n",
            r.left, r.bottom, r.right, r.top);
        appendOutputPostScript(*call.job, ps, static_cast<size_t>(n));
    };
    struct Case {
        const char* what;
        double bleed;
        bool spreads;
        int page;
        const char* media;
        const char* trim;
    } cases[] = {
        {"first page", 0, false, 1, "0.00 0.00 612.00 792.00", "0.00 0.00 612.00 792.00"},
        {"right-hand page of a spread", 0, false, 3, "0.00 0.00 612.00 792.00",
         "0.00 0.00 612.00 792.00"},
        {"right-hand page with bleed", 9, false, 3, "0.00 0.00 630.00 810.00",
         "9.00 9.00 621.00 801.00"},
        {"spread with bleed", 9, true, 2, "0.00 0.00 1242.00 810.00", "9.00 9.00 1233.00 801.00"},
    };
    for (const auto& c : cases) {
        OutputStyle& style = addStyle(hostSettings(), c.what, kTypePdf, c.bleed, c.spreads);
        std::string error;
        ASSERT_EQ(runOutput(request("trim.pdf", c.page, c.page, &style), &error), kOutputOk)
            << c.what << ": " << error;
        std::string info = pdfinfo(dir.file("trim.pdf"), 1, 1);
        EXPECT_EQ(boxOf(info, 1, "MediaBox"), c.media) << c.what << "\n" << info;
        EXPECT_EQ(boxOf(info, 1, "TrimBox"), c.trim) << c.what << "\n" << info;
    }
}

TEST_F(PdfOutputTest, DistillerProblemsLeaveNoFile) {
    struct Case {
        const char* what;
        std::string distiller;
        int result;
    } cases[] = {
        {"missing Unix program", "/nonexistent/gs", kOutputDistillerMissing},
        {"missing Windows program", "C:\\nonexistent\\gswin64c.exe", kOutputDistillerMissing},
        {"failing program", "/bin/false", kOutputDistillerFailed},
    };
    std::string target = dir.file("old.pdf");
    ASSERT_TRUE(writeText(target, "previous"));
    for (const auto& c : cases) {
        setDistillerPath(c.distiller);
        std::string error;
        EXPECT_EQ(runOutput(request("old.pdf", 1, 1, nullptr), &error), c.result) << c.what;
        EXPECT_NE(error.find(c.distiller), std::string::npos)
            << c.what << ": the message should name the distiller: " << error;
        EXPECT_EQ(readText(target), "previous") << c.what;
        EXPECT_EQ(countFiles(dir.path()), 1) << c.what << ": temporaries left behind";
    }
}

TEST_F(PdfOutputTest, DistillerNamedByUnixOrDrivePath) {
    for (const char* distiller : {"/usr/bin/gs", "Z:\\usr\\bin\\gs"}) {
        setDistillerPath(distiller);
        std::string error;
        ASSERT_EQ(runOutput(request("named.pdf", 1, 1, nullptr), &error), kOutputOk)
            << distiller << ": " << error;
        EXPECT_EQ(pagesOf(pdfinfo(dir.file("named.pdf"), 1, 1)), "1") << distiller;
        removeFile(dir.file("named.pdf"));
    }
}

TEST_F(PdfOutputTest, OpenAfterExportFollowsTheServiceFlag) {
    setPdfOpener(rememberOpened);
    for (bool on : {false, true}) {
        gOpened.clear();
        hostSettings().pdfOpenAfterExport = on;
        std::string error;
        ASSERT_EQ(runOutput(request("open.pdf", 1, 1, nullptr), &error), kOutputOk) << error;
        EXPECT_EQ(gOpened.size(), on ? 1u : 0u) << "flag " << on;
        if (on && !gOpened.empty()) {
            EXPECT_EQ(gOpened[0], dir.file("open.pdf"));
        }
    }
}
