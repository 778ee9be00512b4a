#include "export/ps_insertions.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "export/export_host.h"
#include "export/run_context.h"
#include "foundation/version.h"
#include "foundation/settings.h"

void writePS(KxhOutput output, const char* format, ...) {
    char text[kPostScriptBufferSize];
    va_list arguments;
    va_start(arguments, format);
    int length = vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (length < 0) return;
    if (length >= static_cast<int>(sizeof text)) length = sizeof text - 1;
    hostWriteToStream(output, text, static_cast<size_t>(length));
}

int32_t HeaderCommentsHook(KxhOutput output, int32_t phase) {
    if (phase == 1) {
        uint8_t settings[KXH_OUTPUT_SETTINGS_SIZE];
        memset(settings, 0, sizeof settings);
        hostOutputSettings(output, settings, sizeof settings);
        if (getAddBlack() == 1 && (settings[0] & KXH_OUTSET_PROCESS_COLORS))
            writePS(output, "%%%%DocumentProcessColors: Black\r\n");
    }
    if (activeRun()) writePS(output, "%%%%%s: %s\r\n", "Kestrix", KX_VERSION_TEXT);
    return 0;
}

int32_t PageBoxesHook(KxhOutput output) {
    const RunContext* run = activeRun();
    if (!run) return 0;
    const RunContext& state = *run;
    if (state.areaMode != 1 || state.styleType != kStyleTypePdf) return 0;
    writePS(output, "\t/pdfmark where {pop [{ThisPage} <</CropBox [%s]>> /PUT pdfmark} if\r\n",
            state.bleedBoxText);
    writePS(output, "\t/pdfmark where {pop [{ThisPage} <</BleedBox [%s]>> /PUT pdfmark} if\r\n",
            state.bleedBoxText);
    writePS(output, "\t/pdfmark where {pop [{ThisPage} <</TrimBox [%s]>> /PUT pdfmark} if\r\n",
            state.trimBoxText);
    return 0;
}

static float points(Fixed value) {
    return static_cast<float>(value) * 1.5258789e-5f;
}

int32_t PageMarksHook(KxhOutput output) {
    const RunContext* run = activeRun();
    if (!run) return 0;
    const RunContext& state = *run;
    float top = points(state.outputRect.top);
    float left = points(state.outputRect.left);
    float bottom = points(state.outputRect.bottom);
    float right = points(state.outputRect.right);
    if (state.styleType == kStyleTypeEps) {
        writePS(output, "\r\n\t\t%%%%\tKestrix TrimBox\r\n\r\n");
        writePS(output,
                "10 dict begin\r\n"
                "\t/m matrix currentmatrix matrix defaultmatrix matrix invertmatrix matrix "
                "concatmatrix def\r\n"
                "\t%.3f %.3f m transform /y1 exch def /x1 exch def\r\n"
                "\t%.3f %.3f m transform /y2 exch def /x2 exch def\r\n"
                "\t/pdfmark where {pop [{ThisPage} <</TrimBox [x1 y1 x2 y2]>> /PUT pdfmark} if\r\n",
                left, bottom, right, top);
        writePS(output, "end\r\n\r\n");
    }
    if (state.pageMargins == 1)
        writePS(output,
                "\tgsave 0 setgray %f setlinewidth %.3f %.3f %.3f %.3f rectstroke grestore\r\n\r\n",
                0.25, left - 0.125, top - 0.125, (right - left) + 0.25, (bottom - top) + 0.25);
    return 0;
}
