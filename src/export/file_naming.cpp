#include "export/file_naming.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "export/export_host.h"
#include "export/export_ui.h"
#include "export/naming_modes.h"
#include "export/naming_text.h"
#include "export/page_range.h"
#include "export/text_fields.h"
#include "foundation/encoding.h"
#include "foundation/files.h"
#include "foundation/paths.h"
#include "foundation/settings.h"

static char separatorOf(const char* path) {
    return path[0] == '/' ? '/' : '\\';
}

const char* lastPathComponent(const char* path) {
    const char* cut = strrchr(path, separatorOf(path));
    return cut ? cut + 1 : path;
}

void dropOutputExtension(char* path) {
    const char* name = lastPathComponent(path);
    size_t length = strlen(name);
    if (length > 4 && (endsWith(name, ".pdf") || endsWith(name, ".eps")))
        path[static_cast<size_t>(name - path) + length - 4] = 0;
}

// The run would write over the project it exports from: the overwrite question is off by
// default, and the project would be lost without a word.
static bool isProjectFile(const ExportState& state, const char* file) {
    return state.projectPath[0] && compareFileNames(file, state.projectPath) == 0;
}

bool defaultExportPath(ExportState& state) {
    char lastFolder[kPathSize] = "";
    std::string folder;
    if (getLastFolder(lastFolder, sizeof lastFolder) == 1) folder = lastFolder;
    if (folder.empty()) {
        const char* cut = strrchr(state.projectPath, separatorOf(state.projectPath));
        if (cut) folder.assign(state.projectPath, static_cast<size_t>(cut - state.projectPath));
    }
    const char* name = state.base == 1 ? state.layoutName : state.projectName;
    std::string path = folder + separatorOf(folder.c_str()) + name;
    return copyText(state.exportPath, path.c_str());
}

static const char* const kNumberFormats[] = {"%d", "%02d", "%03d", "%04d"};

static void formatNumber(int32_t numbers, int32_t n, char* text, size_t size) {
    Numbering numbering = numberingOf(numbers);
    if (numbering == Numbering::None) {
        text[0] = 0;
        return;
    }
    snprintf(text, size, kNumberFormats[int(numbering)], n);
}

void pageNumberText(const ExportState& state, char* text, size_t size) {
    if (size == 0) return;
    text[0] = 0;
    if (state.absolute == 1) {
        int16_t n = static_cast<int16_t>(state.currentPage + state.offset);
        if (n >= 1) formatNumber(state.numbers, n, text, size);
        return;
    }
    char name[kNameSize];
    hostPageName(state.layoutId, state.currentPage, name, sizeof name);
    int32_t n = isAllDigits(name) ? readDecimal(name) : -1;
    if (n < 1)
        copyTextCut(text, size, name);
    else
        formatNumber(state.numbers, n, text, size);
}

// A one-page layout gets a number only when the preference asks for it.
static bool pagesAreNumbered(const ExportState& state) {
    return state.areaMode == 0 && (state.pageCount > 1 || getAddAlways() == 1);
}

bool composeFileName(ExportState& state) {
    if (!copyText(state.outputFile, state.exportPath)) return false;
    if (fileModeOf(state.suffix) == FileMode::OneFile) return true;

    const char* path = state.exportPath;
    char separator = separatorOf(path);
    const char* name = lastPathComponent(path);
    // The folder is what stands before the name; a bare name has none.
    std::string folder(path, name > path ? static_cast<size_t>(name - path - 1) : 0);

    std::string sep, number;
    if (pagesAreNumbered(state)) {
        char text[kNameSize];
        pageNumberText(state, text, sizeof text);
        sep = state.separator;
        number = text;
    }
    std::string composed = state.numberBeforeName == 1 ? number + sep + name + state.suffix
                                                       : name + sep + number + state.suffix;
    std::string result = folder;
    if (!result.empty() && result.back() != separator) result += separator;
    result += composed;
    return copyText(state.outputFile, result.c_str());
}

bool overwriteWarning(const ExportState& state) {
    if (getOverwriteWarning() == 0 || !isVisibleFile(state.outputFile)) return true;
    if (exportUi().askYesNo("overwriteWarning", lastPathComponent(state.outputFile)) != Answer::Yes)
        return false;
    deleteFile(state.outputFile);
    return true;
}

bool areaFileName(ExportState& state, const char* path) {
    const char* extension = state.styleType == kStyleTypePdf   ? "pdf"
                            : state.styleType == kStyleTypeEps ? "eps"
                                                               : "";
    // "Photo.pdf" names "Photo.pdf" (or "Photo.eps"), not "Photo.pdf.pdf".
    bool fits = copyText(state.outputFile, path);
    if (fits) dropOutputExtension(state.outputFile);
    if (!fits || !appendText(state.outputFile, ".") || !appendText(state.outputFile, extension)) {
        state.outputFile[0] = 0;
        exportUi().showMessage("pathTooLong", lastPathComponent(path));
        return false;
    }
    if (isReservedDeviceName(lastPathComponent(state.outputFile))) {
        exportUi().showMessage("reservedFileName", lastPathComponent(state.outputFile));
        state.outputFile[0] = 0;
        return false;
    }
    if (isProjectFile(state, state.outputFile)) {
        exportUi().showMessage("outputIsProject", lastPathComponent(state.outputFile));
        state.outputFile[0] = 0;
        return false;
    }
    WideText wide = utf8ToWide(path);
    if (wide.size() < kDialogPathUnits)
        wideCopy(state.dialogPath, int32_t(kDialogPathUnits), wide.c_str());
    if (!isVisibleFile(state.outputFile)) return true;
    return exportUi().askYesNo("overwriteWarning", lastPathComponent(state.outputFile)) ==
           Answer::Yes;
}

// Characters Windows refuses in a file name, path separators among them, and "..", which
// would climb out of the chosen folder.
static bool isSafeNamePart(const std::string& text) {
    return text.find("..") == std::string::npos && !holdsForbiddenNameChar(text.c_str());
}

const char* namingProblemKey(NamingProblem problem) {
    switch (problem) {
    case NamingProblem::tooLong:
        return "pathTooLong";
    case NamingProblem::badStyleNaming:
        return "badStyleNaming";
    case NamingProblem::badPageName:
        return "badPageName";
    case NamingProblem::repeatedName:
        return "repeatedFileName";
    case NamingProblem::reservedName:
        return "reservedFileName";
    case NamingProblem::projectFile:
        return "outputIsProject";
    default:
        return nullptr;
    }
}

NamingCheck checkOutputNames(const ExportState& state) {
    bool oneFile = fileModeOf(state.suffix) == FileMode::OneFile;
    if (!oneFile &&
        (state.namingTooLong || !isSafeNamePart(state.separator) || !isSafeNamePart(state.suffix)))
        return {NamingProblem::badStyleNaming, state.styleName};
    bool numbered = !oneFile && pagesAreNumbered(state);
    ExportState probe = state;
    if (probe.spreads == 1) reduceToSpreads(probe);
    std::set<std::string, FileNameLess> names;
    int32_t count = std::min<int32_t>(probe.pageCount, int32_t(probe.pageFlags.size()) - 1);
    for (int32_t p = 1; p <= count; p++) {
        if (probe.pageFlags[p] != 1) continue;
        probe.currentPage = static_cast<int16_t>(p);
        char number[kNameSize];
        pageNumberText(probe, number, sizeof number);
        if (numbered && !isSafeNamePart(number)) return {NamingProblem::badPageName, number};
        if (!composeFileName(probe))
            return {NamingProblem::tooLong, lastPathComponent(probe.exportPath)};
        if (isReservedDeviceName(lastPathComponent(probe.outputFile)))
            return {NamingProblem::reservedName, lastPathComponent(probe.outputFile)};
        if (isProjectFile(state, probe.outputFile))
            return {NamingProblem::projectFile, lastPathComponent(probe.outputFile)};
        if (oneFile) continue;
        if (!names.insert(probe.outputFile).second)
            return {NamingProblem::repeatedName, lastPathComponent(probe.outputFile)};
    }
    return {NamingProblem::none, {}};
}
