// The PostScript handed to the host's stream, byte for byte.
#include <gtest/gtest.h>

#include "export/ps_insertions.h"
#include "export_support.h"
#include "foundation/prefs.h"

namespace {

const char kHeader[] = "%%Kestrix: 7.03\r\n";
const char kProcessColors[] = "%%DocumentProcessColors: Black\r\n";
const char kLetterTrimBox[] =
    "\r\n\t\t%%\tKestrix TrimBox\r\n\r\n"
    "10 dict begin\r\n"
    "\t/m matrix currentmatrix matrix defaultmatrix matrix invertmatrix matrix concatmatrix "
    "def\r\n"
    "\t0.000 792.000 m transform /y1 exch def /x1 exch def\r\n"
    "\t612.000 0.000 m transform /y2 exch def /x2 exch def\r\n"
    "\t/pdfmark where {pop [{ThisPage} <</TrimBox [x1 y1 x2 y2]>> /PUT pdfmark} if\r\n"
    "end\r\n\r\n";
const char kLetterFrame[] =
    "\tgsave 0 setgray 0.250000 setlinewidth -0.125 -0.125 612.250 792.250 rectstroke "
    "grestore\r\n\r\n";

std::string hooksOf(uint8_t settingsByte0, int32_t phase = 1) {
    FakeOutput out;
    gFakeHost->outputSettingsByte0 = settingsByte0;
    KxhOutput handle = reinterpret_cast<KxhOutput>(&out);
    HeaderCommentsHook(handle, phase);
    PageMarksHook(handle);
    PageBoxesHook(handle);
    return out.postscript;
}

class PostScript : public ::testing::Test {
  protected:
    ExportWorld world;
    ExportState& state = exportState();
    void SetUp() override {
        state.exporting = 1;
        state.outputRect = KxhRect{0, 0, 792 * 65536, 612 * 65536};
        snprintf(state.trimBoxText, sizeof state.trimBoxText, "1.000 2.000 3.000 4.000");
        snprintf(state.bleedBoxText, sizeof state.bleedBoxText, "0.000 0.000 5.000 6.000");
    }
};

TEST_F(PostScript, InsertionsByModeTypeAndFrame) {
    const std::string pdfBoxes =
        "\t/pdfmark where {pop [{ThisPage} <</CropBox [0.000 0.000 5.000 6.000]>> /PUT pdfmark} "
        "if\r\n"
        "\t/pdfmark where {pop [{ThisPage} <</BleedBox [0.000 0.000 5.000 6.000]>> /PUT pdfmark} "
        "if\r\n"
        "\t/pdfmark where {pop [{ThisPage} <</TrimBox [1.000 2.000 3.000 4.000]>> /PUT pdfmark} "
        "if\r\n";
    struct {
        const char* what;
        uint32_t type;
        int16_t areaMode;
        uint8_t margins;
        std::string expected;
    } cases[] = {
        {"EPS page with frame", kStyleTypeEps, 0, 1,
         std::string(kHeader) + kLetterTrimBox + kLetterFrame},
        {"EPS page", kStyleTypeEps, 0, 0, std::string(kHeader) + kLetterTrimBox},
        {"PDF page", kStyleTypePdf, 0, 0, kHeader},
        {"PDF page with frame", kStyleTypePdf, 0, 1, std::string(kHeader) + kLetterFrame},
        {"PDF area", kStyleTypePdf, 1, 0, std::string(kHeader) + pdfBoxes},
        {"EPS area", kStyleTypeEps, 1, 0, std::string(kHeader) + kLetterTrimBox},
    };
    for (const auto& c : cases) {
        state.styleType = c.type;
        state.areaMode = c.areaMode;
        state.pageMargins = c.margins;
        EXPECT_EQ(c.expected, hooksOf(0)) << c.what;
    }
}

TEST_F(PostScript, ProcessColourCommentNeedsAddBlackAndTheHostsBit) {
    state.styleType = kStyleTypePdf;
    struct {
        int32_t addBlack;
        uint8_t byte0;
        int16_t exporting;
        int32_t phase;
        std::string expected;
    } cases[] = {
        {0, 1, 1, 1, kHeader},
        {1, 0, 1, 1, kHeader},
        {1, 1, 1, 1, std::string(kProcessColors) + kHeader},
        {1, 0xFF, 1, 2, kHeader},
        {1, 1, 0, 1, kProcessColors}, // the user's own output
        {0, 1, 0, 1, ""},
        {1, 0xFE, 0, 1, ""},
    };
    for (const auto& c : cases) {
        setPrefInt("General", "AddBlack", c.addBlack);
        state.exporting = c.exporting;
        EXPECT_EQ(c.expected, hooksOf(c.byte0, c.phase))
            << "AddBlack " << c.addBlack << " byte " << int(c.byte0) << " exporting " << c.exporting
            << " phase " << c.phase;
    }
}

TEST_F(PostScript, UnevenRectanglesInPoints) {
    state.styleType = kStyleTypeEps;
    state.pageMargins = 1;
    // A second page of a spread, 612 points to the right, with a fraction.
    state.outputRect = KxhRect{-32768, 612 * 65536, 792 * 65536 + 16384, 1224 * 65536};
    std::string text = hooksOf(0);
    EXPECT_NE(std::string::npos, text.find("\t612.000 792.250 m transform /y1"));
    EXPECT_NE(std::string::npos, text.find("\t1224.000 -0.500 m transform /y2"));
    EXPECT_NE(std::string::npos,
              text.find("0.250000 setlinewidth 611.875 -0.625 612.250 793.000 rectstroke"));
}

TEST_F(PostScript, LongTextIsCutToTheBuffer) {
    FakeOutput out;
    std::string big(5000, 'x');
    writePS(reinterpret_cast<KxhOutput>(&out), "%s%s", big.c_str(), "\r\n");
    EXPECT_EQ(size_t(kPostScriptBufferSize - 1), out.postscript.size());
}

} // namespace
