// The PostScript handed to the host's stream, byte for byte.
#include <gtest/gtest.h>

#include "export/ps_insertions.h"
#include "export/run_context.h"
#include "export_support.h"
#include "foundation/prefs.h"

namespace {

const std::string kHeader = "%%Kestrix: 7.03\r\n";
const std::string kBlack = "%%DocumentProcessColors: Black\r\n";
const std::string kLetterTrimBox =
    "\r\n\t\t%%\tKestrix TrimBox\r\n\r\n10 dict begin\r\n"
    "\t/m matrix currentmatrix matrix defaultmatrix matrix invertmatrix matrix concatmatrix "
    "def\r\n"
    "\t0.000 792.000 m transform /y1 exch def /x1 exch def\r\n"
    "\t612.000 0.000 m transform /y2 exch def /x2 exch def\r\n"
    "\t/pdfmark where {pop [{ThisPage} <</TrimBox [x1 y1 x2 y2]>> /PUT pdfmark} if\r\n"
    "end\r\n\r\n";
const std::string kLetterFrame = "\tgsave 0 setgray 0.250000 setlinewidth -0.125 -0.125 612.250 "
                                 "792.250 rectstroke grestore\r\n\r\n";
const std::string kAreaBoxes =
    "\t/pdfmark where {pop [{ThisPage} <</CropBox [0 0 5 6]>> /PUT pdfmark} if\r\n"
    "\t/pdfmark where {pop [{ThisPage} <</BleedBox [0 0 5 6]>> /PUT pdfmark} if\r\n"
    "\t/pdfmark where {pop [{ThisPage} <</TrimBox [1 2 3 4]>> /PUT pdfmark} if\r\n";

// What the three hooks write for one page of an output, in the host's order.
std::string hooksOf(uint8_t settingsByte0, int32_t phase = 1) {
    FakeOutput out;
    gFakeHost->settingsByte0 = settingsByte0;
    KxhOutput handle = reinterpret_cast<KxhOutput>(&out);
    HeaderCommentsHook(handle, phase);
    PageBoxesHook(handle);
    PageMarksHook(handle);
    return out.postscript;
}

TEST(PostScript, InsertionsByModeTypeAndFrame) {
    ExportWorld world;
    RunContext state{};
    state.outputRect = KxhRect{0, 0, 792 * 65536, 612 * 65536}; // US Letter
    snprintf(state.trimBoxText, sizeof state.trimBoxText, "1 2 3 4");
    snprintf(state.bleedBoxText, sizeof state.bleedBoxText, "0 0 5 6");
    struct {
        int16_t exporting, areaMode;
        uint32_t type;
        uint8_t frame;
        std::string expected;
    } cases[] = {
        {1, 0, kStyleTypeEps, 1, kHeader + kLetterTrimBox + kLetterFrame},
        {1, 0, kStyleTypeEps, 0, kHeader + kLetterTrimBox},
        {1, 0, kStyleTypePdf, 0, kHeader},
        {1, 0, kStyleTypePdf, 1, kHeader + kLetterFrame},
        {1, 1, kStyleTypePdf, 0, kHeader + kAreaBoxes},
        {1, 1, kStyleTypeEps, 0, kHeader + kLetterTrimBox},
        {0, 1, kStyleTypeEps, 1, ""}, // output the user started
    };
    for (const auto& c : cases) {
        setActiveRun(c.exporting ? &state : nullptr);
        state.areaMode = c.areaMode;
        state.styleType = c.type;
        state.pageMargins = c.frame;
        EXPECT_EQ(c.expected, hooksOf(0))
            << "type " << std::hex << c.type << " area " << c.areaMode << " frame " << int(c.frame);
    }
    // A spread's second page, off by fractions of a point.
    setActiveRun(&state);
    state.styleType = kStyleTypeEps;
    state.pageMargins = 1;
    state.outputRect = KxhRect{-32768, 612 * 65536, 792 * 65536 + 16384, 1224 * 65536};
    std::string text = hooksOf(0);
    EXPECT_NE(std::string::npos, text.find("\t612.000 792.250 m transform /y1")) << text;
    EXPECT_NE(std::string::npos, text.find("\t1224.000 -0.500 m transform /y2")) << text;
    EXPECT_NE(std::string::npos, text.find(" 611.875 -0.625 612.250 793.000 rectstroke")) << text;
    setActiveRun(nullptr);
}

TEST(PostScript, ProcessColourNeedsAddBlackAndTheHostsBit) {
    ExportWorld world;
    RunContext state{};
    state.styleType = kStyleTypePdf;
    struct {
        int32_t addBlack;
        uint8_t byte0;
        int16_t exporting;
        int32_t phase;
        std::string expected;
    } cases[] = {
        {0, 1, 1, 1, kHeader},    {1, 0, 1, 1, kHeader}, {1, 1, 1, 1, kBlack + kHeader},
        {1, 0xFF, 1, 2, kHeader}, {1, 1, 0, 1, kBlack},  {0, 1, 0, 1, ""},
        {1, 0xFE, 0, 1, ""},
    };
    for (const auto& c : cases) {
        setPrefInt("General", "AddBlack", c.addBlack);
        setActiveRun(c.exporting ? &state : nullptr);
        EXPECT_EQ(c.expected, hooksOf(c.byte0, c.phase))
            << "AddBlack " << c.addBlack << " byte " << int(c.byte0) << " exporting " << c.exporting
            << " phase " << c.phase;
    }
    setActiveRun(nullptr);
    FakeOutput out;
    writePS(reinterpret_cast<KxhOutput>(&out), "%s", std::string(5000, 'x').c_str());
    EXPECT_EQ(size_t(kPostScriptBufferSize - 1), out.postscript.size());
}

} // namespace
