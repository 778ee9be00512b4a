#include "model/file_io.h"
#include "output/output.h"
#include "output/unix_command.h"
#include "output_test_support.h"
#include "refhost_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace refhost;
using namespace refhost_test;

namespace {

class OutputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HostSettings& s = hostSettings();
        s = HostSettings{};
        addStyle(s, "Default EPS", kTypeEps, 0, false).isDefault = true;
        addStyle(s, "Default PDF", kTypePdf, 0, false).isDefault = true;
        addStyle(s, "Proof", kTypeNone, 0, false).isDefault = true;
        doc = makeTestDocument();
        layout = doc->layouts[0].get();
    }
    void TearDown() override { resetSettings(hostSettings()); }

    OutputRequest request(uint32_t type, const std::string& file, int first = 0, int last = 0,
                          OutputStyle* style = nullptr) {
        OutputRequest r;
        r.layout = layout;
        r.type = type;
        r.outputFile = file.empty() ? std::string() : dir.file(file);
        r.firstPage = first;
        r.lastPage = last ? last : first;
        r.style = style;
        return r;
    }

    CMyTempDir dir;
    std::unique_ptr<Document> doc;
    Layout* layout = nullptr;
};

std::string headerLine(const std::string& ps, const std::string& key) {
    size_t p = ps.find("\n" + key);
    if (p == std::string::npos) return "(no " + key + ")";
    size_t e = ps.find('\n', p + 1);
    return ps.substr(p + 1 + key.size(), e - p - 1 - key.size());
}

size_t count(const std::string& s, const std::string& what) {
    size_t n = 0;
    for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1))
        ++n;
    return n;
}

} // namespace

TEST_F(OutputTest, HooksRunInOrderAroundEveryPage) {
    HookRecorder hooks;
    std::string error;
    ASSERT_EQ(runOutput(request(kTypeNone, "proof.ps", 2, 4), &error), kOutputOk) << error;
    EXPECT_EQ(describe(hooks.calls), "681 93 282 145:1 151@2 155@2 151@3 155@3 151@4 155@4");
}

TEST_F(OutputTest, HookTextLandsVerbatimAtItsPlace) {
    HookRecorder hooks;
    hooks.action = [](OutputHookCall& call) {
        std::string text;
        if (call.hook == OutputHook::Header) text = "%%HookHeader: 7.03\r\n";
        if (call.hook == OutputHook::PageBoxes)
            text = "%HookBoxes " + std::to_string(call.page) + "\r\n";
        if (call.hook == OutputHook::PageMarks)
            text = "%HookMarks " + std::to_string(call.page) + "\r\n";
        if (!text.empty()) appendOutputPostScript(*call.job, text.data(), text.size());
    };
    std::string error;
    ASSERT_EQ(runOutput(request(kTypeNone, "proof.ps", 1, 2), &error), kOutputOk) << error;
    std::string ps = readText(dir.file("proof.ps"));
    size_t header = ps.find("%%HookHeader: 7.03\r\n");
    ASSERT_NE(header, std::string::npos) << ps;
    EXPECT_LT(ps.find("%!PS-Adobe-3.0"), header);
    EXPECT_LT(header, ps.find("%%EndComments"));
    for (int page = 1; page <= 2; ++page) {
        std::string n = std::to_string(page);
        size_t pageStart = ps.find("%%Page: (" + n + ") " + n + "\n");
        size_t setupEnd = ps.find("%%EndPageSetup", pageStart);
        size_t boxes = ps.find("%HookBoxes " + n + "\r\n");
        size_t firstDraw = ps.find("LHbox", setupEnd);
        size_t marks = ps.find("%HookMarks " + n + "\r\n");
        size_t show = ps.find("showpage", setupEnd);
        ASSERT_NE(pageStart, std::string::npos) << ps;
        EXPECT_TRUE(setupEnd < boxes && boxes < firstDraw) << "page " << n << ":\n" << ps;
        EXPECT_TRUE(firstDraw < marks && marks < show) << "page " << n << ":\n" << ps;
    }
    // Outside the writing of the stream nothing can be appended.
    OutputJob idle;
    EXPECT_FALSE(appendOutputPostScript(idle, "x", 1));
}

TEST_F(OutputTest, SetUpHookChoosesRangeStyleAndFile) {
    OutputStyle& bleedy = addStyle(hostSettings(), "Bleed EPS", kTypeEps, 9, false);
    OutputStyle& wrongType = addStyle(hostSettings(), "Some PDF", kTypePdf, 0, false);
    std::string target = dir.file("page3.eps");
    bool refusedWrongType = false, refusedBadRange = false;
    HookRecorder hooks;
    hooks.action = [&](OutputHookCall& call) {
        if (call.hook != OutputHook::Setup) return;
        refusedWrongType = !applyOutputStyle(*call.job, &wrongType);
        refusedBadRange = !setOutputPageRange(*call.job, 4, 6);
        EXPECT_TRUE(setOutputPageRange(*call.job, 3, 3));
        EXPECT_TRUE(applyOutputStyle(*call.job, &bleedy));
        setOutputFile(*call.job, target);
    };
    std::string error;
    ASSERT_EQ(runOutput(request(kTypeEps, ""), &error), kOutputOk) << error;
    EXPECT_TRUE(refusedWrongType);
    EXPECT_TRUE(refusedBadRange);
    std::string eps = readText(target);
    EXPECT_EQ(headerLine(eps, "%%BoundingBox: "), "0 0 630 810");
    EXPECT_NE(eps.find("%%Page: (3) 1"), std::string::npos) << eps;
}

TEST_F(OutputTest, AbortFlagStopsBeforeAnythingIsWritten) {
    std::string target = dir.file("out.eps");
    ASSERT_TRUE(writeText(target, "previous"));
    HookRecorder hooks;
    hooks.action = [](OutputHookCall& call) {
        if (call.hook == OutputHook::Start) call.abort = true;
    };
    std::string error;
    int rc = runOutput(request(kTypeEps, "out.eps", 1), &error);
    EXPECT_EQ(rc, kOutputAborted) << error;
    EXPECT_NE(rc, kOutputCancelled);
    EXPECT_EQ(describe(hooks.calls), "681 93");
    EXPECT_EQ(readText(target), "previous");
    EXPECT_EQ(countFiles(dir.path()), 1);
    EXPECT_EQ(currentOutputJob(), nullptr);
}

TEST_F(OutputTest, RefusedOutputsWriteNothing) {
    OutputStyle* pdf = findStyle(hostSettings(), "Default PDF");
    std::string cjk; // 100 characters: 100 UTF-16 units, but 300 bytes in a Unix file name
    for (int i = 0; i < 100; ++i)
        cjk += "\xE6\x96\x87";
    struct Case {
        const char* what;
        OutputRequest req;
        int result;
    } cases[] = {
        {"EPS of two separate pages", request(kTypeEps, "a.eps", 2, 3), kOutputBadRequest},
        {"page outside the layout", request(kTypeEps, "a.eps", 6), kOutputBadRequest},
        {"no output file", request(kTypeEps, "", 1), kOutputNoFile},
        {"style of another type", request(kTypeEps, "a.eps", 1, 1, pdf), kOutputStyleMismatch},
        {"folder missing", request(kTypeEps, "none\\a.eps", 1), kOutputWriteFailed},
        // Names the layer below would cut, losing the extension: never written under another.
        {"EPS name of 300 UTF-8 bytes", request(kTypeEps, cjk + ".eps", 1), kOutputWriteFailed},
        {"PDF name of 300 UTF-8 bytes", request(kTypePdf, cjk + ".pdf", 1), kOutputWriteFailed},
        {"name of 256 characters", request(kTypeEps, std::string(252, 'n') + ".eps", 1),
         kOutputWriteFailed},
    };
    OutputRequest noLayout;
    noLayout.type = kTypeEps;
    noLayout.outputFile = dir.file("a.eps");
    std::string error;
    EXPECT_EQ(runOutput(noLayout, &error), kOutputBadRequest);
    for (auto& c : cases) {
        error.clear();
        EXPECT_EQ(runOutput(c.req, &error), c.result) << c.what << ": " << error;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_EQ(countFiles(dir.path()), 0) << c.what;
    }
    // The longest name is written whole, its temporary file notwithstanding.
    const std::string longest = std::string(251, 'n') + ".eps";
    EXPECT_EQ(runOutput(request(kTypeEps, longest, 1), &error), kOutputOk) << error;
    EXPECT_TRUE(fileExists(dir.file(longest)));
    EXPECT_EQ(countFiles(dir.path()), 1);
}

TEST_F(OutputTest, AHookCannotStartASecondOutput) {
    int nested = -1;
    HookRecorder hooks;
    hooks.action = [&](OutputHookCall& call) {
        if (call.hook == OutputHook::Announce)
            nested = runOutput(request(kTypeEps, "b.eps", 1), nullptr);
    };
    std::string error;
    ASSERT_EQ(runOutput(request(kTypeEps, "a.eps", 1), &error), kOutputOk) << error;
    EXPECT_EQ(nested, kOutputBusy);
    EXPECT_EQ(countFiles(dir.path()), 1);
}

TEST_F(OutputTest, EpsBoundingBoxIsThePageGrownByBleedOrTheClip) {
    struct Case {
        const char* what;
        double pageWidth;
        double bleed;
        bool spreads;
        int first, last;
        bool clip;
        Rect clipRect; // page-relative box, placed on page `first`, grown by the bleed
        const char* box;
        const char* hires;
    } cases[] = {
        {"letter page",
         612,
         0,
         false,
         5,
         5,
         false,
         {},
         "0 0 612 792",
         "0.000 0.000 612.000 792.000"},
        {"second page of a spread",
         612,
         0,
         false,
         3,
         3,
         false,
         {},
         "0 0 612 792",
         "0.000 0.000 612.000 792.000"},
        {"bleed 9", 612, 9, false, 1, 1, false, {}, "0 0 630 810", "0.000 0.000 630.000 810.000"},
        {"spread", 612, 0, true, 2, 3, false, {}, "0 0 1224 792", "0.000 0.000 1224.000 792.000"},
        {"spread named by its second page",
         612,
         0,
         true,
         3,
         3,
         false,
         {},
         "0 0 1224 792",
         "0.000 0.000 1224.000 792.000"},
        {"spread with bleed",
         612,
         9,
         true,
         4,
         5,
         false,
         {},
         "0 0 1242 810",
         "0.000 0.000 1242.000 810.000"},
        {"fractional page",
         595.5,
         0,
         false,
         1,
         1,
         false,
         {},
         "0 0 596 792",
         "0.000 0.000 595.500 792.000"},
        {"clip",
         612,
         0,
         false,
         1,
         1,
         true,
         {72, 36, 122, 136},
         "36 670 136 720",
         "36.000 670.000 136.000 720.000"},
        {"clip with bleed on a right-hand page",
         612,
         9,
         false,
         3,
         3,
         true,
         {72, 36, 122, 136},
         "36 670 154 738",
         "36.000 670.000 154.000 738.000"},
    };
    for (const auto& c : cases) {
        layout->pageWidth = c.pageWidth;
        OutputStyle& style = addStyle(hostSettings(), c.what, kTypeEps, c.bleed, c.spreads);
        HookRecorder hooks;
        hooks.action = [&](OutputHookCall& call) {
            if (call.hook != OutputHook::Setup || !c.clip) return;
            Item box;
            box.page = c.first;
            box.bounds = c.clipRect;
            Rect r = growRect(itemSpreadBounds(*layout, box), c.bleed);
            setOutputClip(*call.job, &r);
        };
        std::string error;
        ASSERT_EQ(runOutput(request(kTypeEps, "t.eps", c.first, c.last, &style), &error), kOutputOk)
            << c.what << ": " << error;
        std::string eps = readText(dir.file("t.eps"));
        EXPECT_EQ(eps.rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0), 0u) << c.what;
        EXPECT_EQ(headerLine(eps, "%%BoundingBox: "), c.box) << c.what;
        EXPECT_EQ(headerLine(eps, "%%HiResBoundingBox: "), c.hires) << c.what;
        EXPECT_EQ(headerLine(eps, "%%Pages: "), "1") << c.what;
    }
}

TEST_F(OutputTest, SuppressedItemsAreLeftOut) {
    std::string error;
    ASSERT_EQ(runOutput(request(kTypeEps, "p2.eps", 2), &error), kOutputOk) << error;
    std::string eps = readText(dir.file("p2.eps"));
    // Page 2 shares its spread with page 3: both pages' boxes are drawn (clipped to page 2),
    // the suppressed box is not.
    EXPECT_EQ(count(eps, " LHbox\n"), 2u) << eps;
    EXPECT_EQ(count(eps, "300.000 72.000 400.000 172.000 LHbox"), 0u) << eps;
}

TEST_F(OutputTest, SettingsRecordCarriesProcessColors) {
    for (bool on : {false, true}) {
        OutputStyle& style = addStyle(hostSettings(), on ? "On" : "Off", kTypeEps, 0, false);
        style.processColors = on;
        uint8_t record[KXH_OUTPUT_SETTINGS_SIZE];
        std::memset(record, 0xAA, sizeof record);
        HookRecorder hooks;
        hooks.action = [&](OutputHookCall& call) {
            if (call.hook == OutputHook::Header) outputSettingsRecord(*call.job, record);
        };
        std::string error;
        ASSERT_EQ(runOutput(request(kTypeEps, "c.eps", 1, 1, &style), &error), kOutputOk) << error;
        EXPECT_EQ(record[0] & KXH_OUTSET_PROCESS_COLORS, on ? 1 : 0) << "ProcessColors " << on;
        EXPECT_EQ(record[KXH_OUTPUT_SETTINGS_SIZE - 1], 0) << "the record is cleared";
    }
}

TEST_F(OutputTest, EpsRunsInGhostscriptAndShowsTheText) {
    std::string error;
    ASSERT_EQ(runOutput(request(kTypeEps, "page1.eps", 1), &error), kOutputOk) << error;
    UnixRun run =
        runUnixCommand({"/usr/bin/gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=txtwrite",
                        "-sOutputFile=-", unixPathOf(dir.file("page1.eps"))},
                       120000);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Quarterly catalogue"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Error"), std::string::npos) << run.output;
}
