#include "output/output.h"

#include "model/file_io.h"
#include "output/distiller.h"
#include "output/unix_command.h"
#include "output/postscript.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace refhost {

namespace {

OutputJob* gCurrent = nullptr;
OutputTimings gTimings;

double seconds() {
    LARGE_INTEGER now, rate;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&rate);
    return double(now.QuadPart) / double(rate.QuadPart);
}
OutputHookDispatch gDispatch = nullptr;
void* gDispatchOwner = nullptr;

void openWithShell(const std::string& path) {
    std::u16string w = utf8ToUtf16(path);
    ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(w.c_str()), nullptr, nullptr,
                  SW_SHOWNORMAL);
}
FileOpener gPdfOpener = openWithShell;

void callHook(OutputHookCall& call) {
    if (!gDispatch) return;
    double start = seconds();
    gDispatch(gDispatchOwner, call);
    gTimings.hookSeconds += seconds() - start;
}

// One page of the output: a single page, or a whole spread.
struct OutputUnit {
    int spread = 0;
    int firstPage = 0;
    Rect rect; // in spread coordinates
};

std::vector<OutputUnit> unitsFor(const Layout& layout, int first, int last, bool spreads) {
    std::vector<OutputUnit> units;
    if (spreads) {
        for (int s = 1; s <= spreadCount(layout); ++s) {
            const auto& pages = *pagesOfSpread(layout, s);
            if (pages.back() < first || pages.front() > last) continue;
            units.push_back({s, pages.front(), spreadRect(layout, s)});
        }
    } else {
        for (int p = first; p <= last; ++p)
            units.push_back({spreadOfPage(layout, p), p, pageRectInSpread(layout, p)});
    }
    return units;
}

// Spread coordinates to default user space of an output page of unit whose media is the
// unit grown by bleed on every side.
struct PageMapping {
    double tx, ty; // default x = x + tx, default y = ty - y
};
PageMapping mappingFor(const OutputUnit& u, double bleed) {
    return {bleed - u.rect.left, u.rect.bottom + bleed};
}

std::string pageLabel(const Layout& layout, const OutputUnit& u) {
    const auto* pages = pagesOfSpread(layout, u.spread);
    std::string label = pageName(layout, u.firstPage);
    if (pages && pages->size() > 1 && u.rect.right - u.rect.left > layout.pageWidth + 1e-9)
        label += "-" + pageName(layout, pages->back());
    return label;
}

std::string creationDate() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    gmtime_s(&tm, &t);
    char buf[64];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S UTC", &tm);
    return buf;
}

struct WriteContext {
    OutputJob& job;
    std::vector<OutputUnit> units;
    bool eps;
    bool setPageSize;
};

void writeHeader(WriteContext& c, std::string& ps) {
    OutputJob& job = c.job;
    double b = job.bleed;
    if (c.eps) {
        const OutputUnit& u = c.units.front();
        PageMapping m = mappingFor(u, b);
        Rect box = job.hasClip ? job.clip : growRect(u.rect, b);
        double x1 = box.left + m.tx, x2 = box.right + m.tx;
        double y1 = m.ty - box.bottom, y2 = m.ty - box.top;
        ps += "%!PS-Adobe-3.0 EPSF-3.0\n";
        appendFormat(ps, "%%%%BoundingBox: %d %d %d %d\n", static_cast<int>(std::floor(x1 + 1e-6)),
                     static_cast<int>(std::floor(y1 + 1e-6)),
                     static_cast<int>(std::ceil(x2 - 1e-6)),
                     static_cast<int>(std::ceil(y2 - 1e-6)));
        appendFormat(ps, "%%%%HiResBoundingBox: %.3f %.3f %.3f %.3f\n", x1, y1, x2, y2);
    } else {
        ps += "%!PS-Adobe-3.0\n";
    }
    ps += "%%Creator: layouthost\n";
    appendFormat(ps, "%%%%Title: %s\n", postScriptString(job.layout->name).c_str());
    appendFormat(ps, "%%%%CreationDate: %s\n", creationDate().c_str());
    ps += "%%DocumentNeededResources: font Helvetica\n";
    ps += "%%LanguageLevel: 2\n";
    appendFormat(ps, "%%%%Pages: %d\n", static_cast<int>(c.units.size()));
    OutputHookCall call{OutputHook::Header};
    call.job = &job;
    call.phase = 1;
    callHook(call);
    ps += "%%EndComments\n";
    ps += "%%BeginProlog\n" + postScriptProlog() + "%%EndProlog\n";
    ps += "%%BeginSetup\n%%EndSetup\n";
}

void writePage(WriteContext& c, const OutputUnit& u, int ordinal, std::string& ps) {
    OutputJob& job = c.job;
    double b = job.bleed;
    PageMapping m = mappingFor(u, b);
    Rect media = growRect(u.rect, b);
    appendFormat(ps, "%%%%Page: %s %d\n", postScriptString(pageLabel(*job.layout, u)).c_str(),
                 ordinal);
    ps += "%%BeginPageSetup\n";
    if (c.setPageSize)
        appendFormat(ps, "<< /PageSize [%.3f %.3f] >> setpagedevice\n", width(media),
                     height(media));
    ps += "/LHpagesave save def\n";
    // The page coordinate system: spread coordinates, y down, this page's top-left corner at
    // (bleed, bleed) from the media's top-left corner.
    appendFormat(ps, "%.3f %.3f translate 1 -1 scale\n", m.tx, m.ty);
    ps += "%%EndPageSetup\n";

    job.currentPage = u.firstPage;
    job.currentRect = u.rect;
    OutputHookCall boxes{OutputHook::PageBoxes};
    boxes.job = &job;
    boxes.page = u.firstPage;
    callHook(boxes);

    Rect clip = c.eps && job.hasClip ? job.clip : media;
    appendFormat(ps, "gsave %.3f %.3f %.3f %.3f rectclip\n", clip.left, clip.top, width(clip),
                 height(clip));
    drawSpreadItems(*job.layout, u.spread, ps);
    ps += "grestore\n";

    OutputHookCall marks{OutputHook::PageMarks};
    marks.job = &job;
    marks.page = u.firstPage;
    callHook(marks);

    ps += "LHpagesave restore\nshowpage\n%%PageTrailer\n";
}

struct CurrentJobScope {
    explicit CurrentJobScope(OutputJob& job) { gCurrent = &job; }
    ~CurrentJobScope() { gCurrent = nullptr; }
};

int fail(std::string* error, int code, const std::string& text) {
    if (error) *error = text;
    return code;
}

// The page sizes a PDF can hold, in points: Ghostscript makes a smaller page US Letter, and
// readers refuse a larger one.
constexpr double kMinPdfSide = 3;
constexpr double kMaxPdfSide = 14400;

// A PDF output page (a page or spread with its bleed) that a PDF cannot hold, as a reason.
std::string pdfPageSizeProblem(const Layout& layout, const std::vector<OutputUnit>& units,
                               double bleed) {
    for (const OutputUnit& u : units) {
        Rect media = growRect(u.rect, bleed);
        double w = width(media), h = height(media);
        if (w >= kMinPdfSide && h >= kMinPdfSide && w <= kMaxPdfSide && h <= kMaxPdfSide) continue;
        char size[128];
        std::snprintf(size, sizeof size, " with a bleed of %g pt is %g x %g pt", bleed, w, h);
        return "page " + pageLabel(layout, u) + size +
               ", but a PDF page is 3 to 14400 pt on each side";
    }
    return {};
}

// After a distiller failed: a volume left with less room than the PDF would need (its own or
// that of the temporary folder, where the distiller works) is the likelier cause.
bool tooLittleRoom(const std::string& path, size_t postScriptBytes) {
    uint64_t need = std::max<uint64_t>(uint64_t(1) << 20, uint64_t(postScriptBytes) * 2);
    return freeSpaceBeside(path) < need;
}

} // namespace

OutputJob* currentOutputJob() {
    return gCurrent;
}

bool setOutputPageRange(OutputJob& job, int first, int last) {
    if (!job.layout || first < 1 || last < first || last > job.layout->pageCount) return false;
    job.firstPage = first;
    job.lastPage = last;
    return true;
}

bool applyOutputStyle(OutputJob& job, OutputStyle* style) {
    if (!style || style->type != job.type) return false;
    job.style = style;
    return true;
}

void setOutputFile(OutputJob& job, const std::string& path) {
    job.outputFile = path;
}

void setOutputClip(OutputJob& job, const Rect* clip) {
    job.hasClip = clip != nullptr;
    job.clip = clip ? *clip : Rect{};
}

bool appendOutputPostScript(OutputJob& job, const char* text, size_t length) {
    if (!job.stream || (!text && length)) return false;
    job.stream->append(text, length);
    return true;
}

void outputSettingsRecord(const OutputJob& job, uint8_t record[KXH_OUTPUT_SETTINGS_SIZE]) {
    std::memset(record, 0, KXH_OUTPUT_SETTINGS_SIZE);
    if (job.style && job.style->processColors) record[0] |= KXH_OUTSET_PROCESS_COLORS;
}

void setOutputHookDispatch(OutputHookDispatch dispatch, void* owner) {
    gDispatch = dispatch;
    gDispatchOwner = owner;
}

void setPdfOpener(FileOpener opener) {
    gPdfOpener = opener ? opener : openWithShell;
}

const OutputTimings& outputTimings() {
    return gTimings;
}

namespace {

// Counts an output and its time, however it ends.
struct OutputTimer {
    double start = seconds();
    ~OutputTimer() {
        double end = seconds();
        if (gTimings.outputs++ == 0) gTimings.firstStart = start;
        gTimings.lastEnd = end;
        gTimings.outputSeconds += end - start;
    }
};

// Makes the job ready to write: the plug-ins set it up and may stop it; then its style, pages
// and file are settled and checked, and `units` receives what is written. kOutputOk or the
// reason it is refused.
int prepareOutput(OutputJob& job, std::vector<OutputUnit>& units, std::string* error) {
    Layout& layout = *job.layout;
    OutputHookCall setup{OutputHook::Setup};
    setup.job = &job;
    callHook(setup);
    OutputHookCall start{OutputHook::Start};
    start.job = &job;
    callHook(start);
    if (start.abort) return fail(error, kOutputAborted, "the output was stopped by a plug-in");

    if (!job.style) job.style = defaultStyle(hostSettings(), job.type);
    if (job.style && job.style->type != job.type)
        return fail(error, kOutputStyleMismatch,
                    "the output style \"" + job.style->name + "\" is not of type " +
                        styleTypeName(job.type));
    if (job.firstPage == 0) {
        if (job.type == kTypeEps)
            job.firstPage = job.lastPage = layout.currentPage;
        else
            job.firstPage = 1, job.lastPage = layout.pageCount;
        if (!setOutputPageRange(job, job.firstPage, job.lastPage))
            return fail(error, kOutputBadRequest, "the current page is not in the layout");
    }
    if (job.outputFile.empty()) return fail(error, kOutputNoFile, "no output file was given");
    std::string why;
    // Refused before the plug-ins hear of the output: the layer below would write it under a
    // cut name, and lose its extension.
    if (!fileNameFits(job.outputFile, &why)) return fail(error, kOutputWriteFailed, why);
    bool spreads = job.style && styleExportsSpreads(*job.style);
    job.bleed = job.style ? styleBleed(*job.style) : 0;

    units = unitsFor(layout, job.firstPage, job.lastPage, spreads);
    if (job.type == kTypeEps && units.size() != 1)
        return fail(error, kOutputBadRequest,
                    "an EPS file holds one page or spread, but pages " +
                        std::to_string(job.firstPage) + " to " + std::to_string(job.lastPage) +
                        " were asked for");
    if (job.type == kTypePdf) {
        std::string problem = pdfPageSizeProblem(layout, units, job.bleed);
        if (!problem.empty()) return fail(error, kOutputPageSize, job.outputFile + ": " + problem);
    }
    return kOutputOk;
}

// Announces the output to the plug-ins and writes its PostScript, with their additions.
std::string writeOutput(OutputJob& job, std::vector<OutputUnit> units) {
    WriteContext c{job, std::move(units), job.type == kTypeEps, job.type != kTypeEps};

    OutputHookCall announce{OutputHook::Announce};
    announce.job = &job;
    callHook(announce);

    std::string ps;
    job.stream = &ps;
    writeHeader(c, ps);
    int ordinal = 0;
    for (const auto& u : c.units)
        writePage(c, u, ++ordinal, ps);
    ps += "%%Trailer\n%%EOF\n";
    job.stream = nullptr;
    return ps;
}

// Under Wine, a name a folder does not hold yet costs a look through the whole folder, and a
// file written beside its target under a temporary name pays that twice: in a folder of
// thousands of pages, more than the page itself. Written in the temporary folder and renamed
// into place, it pays once. false, with nothing left behind, where the rename cannot be made
// (another volume, a target that cannot be replaced).
bool placeThroughTemporaryFolder(const std::string& path, const std::string& data) {
    if (!runningUnderWine()) return false;
    std::string staged = temporaryPath("layouthost") + ".out";
    if (writeFileDirect(staged, data, nullptr) && renameOver(staged, path)) return true;
    removeFile(staged);
    return false;
}

// Puts the PostScript in the job's file, or distills it there as PDF.
int deliverOutput(const OutputJob& job, const std::string& ps, std::string* error) {
    std::string why;
    bool full = false;
    if (job.type != kTypePdf) {
        if (placeThroughTemporaryFolder(job.outputFile, ps)) return kOutputOk;
        // Beside the target, whose failure names the reason.
        if (!writeFileAtomic(job.outputFile, ps, &why, &full))
            return fail(error, full ? kOutputDiskFull : kOutputWriteFailed, why);
        return kOutputOk;
    }

    std::string psFile = distillerInput();
    if (!writeFileDirect(psFile, ps, &why, &full))
        return fail(error, full ? kOutputDiskFull : kOutputWriteFailed, why);
    std::string pdfTemp = temporaryBeside(job.outputFile);
    // The resident distiller's file goes straight to its place where one rename can take it.
    bool placed = false;
    DistillStatus st = distill(psFile, pdfTemp, &why, job.outputFile, &placed);
    releaseDistillerInput(psFile);
    if (st != DistillStatus::Ok) {
        removeFile(pdfTemp);
        if (st == DistillStatus::Failed && tooLittleRoom(job.outputFile, ps.size()))
            return fail(error, kOutputDiskFull,
                        job.outputFile + ": the disk is full (" + why + ")");
        if (st == DistillStatus::Failed && tooLittleRoom(psFile, ps.size()))
            return fail(error, kOutputDiskFull,
                        "the temporary folder's disk is full (" + why + ")");
        return fail(error,
                    st == DistillStatus::Missing ? kOutputDistillerMissing : kOutputDistillerFailed,
                    why);
    }
    if (!placed && !replaceFile(pdfTemp, job.outputFile)) {
        removeFile(pdfTemp);
        return fail(error, kOutputWriteFailed, job.outputFile + ": cannot be written");
    }
    if (hostSettings().pdfOpenAfterExport) gPdfOpener(job.outputFile);
    return kOutputOk;
}

} // namespace

int runOutput(const OutputRequest& request, std::string* error) {
    if (gCurrent) return fail(error, kOutputBusy, "another output is still running");
    OutputTimer timer;
    if (!request.layout) return fail(error, kOutputBadRequest, "there is no layout to output");
    OutputJob job;
    job.layout = request.layout;
    job.document = documentOfLayout(request.layout->id);
    job.type = request.type == kTypeEps || request.type == kTypePdf ? request.type : kTypeNone;
    job.userInitiated = request.userInitiated;
    job.callerArgument = request.callerArgument;
    job.style = request.style;
    job.outputFile = request.outputFile;
    if (request.firstPage && !setOutputPageRange(job, request.firstPage, request.lastPage))
        return fail(error, kOutputBadRequest,
                    "pages " + std::to_string(request.firstPage) + " to " +
                        std::to_string(request.lastPage) + " are not in the layout");
    CurrentJobScope scope(job);
    std::vector<OutputUnit> units;
    int prepared = prepareOutput(job, units, error);
    if (prepared != kOutputOk) return prepared;
    return deliverOutput(job, writeOutput(job, std::move(units)), error);
}

} // namespace refhost
