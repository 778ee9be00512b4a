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
static bool isProjectFile(const ExportRequest& state, const char* file) {
    return state.projectPath[0] && compareFileNames(file, state.projectPath) == 0;
}

bool defaultExportPath(ExportRequest& state) {
    char lastFolder[kPathSize] = "";
    std::string folder;
    if (getLastFolder(lastFolder, sizeof lastFolder) == 1) folder = lastFolder;
    if (folder.empty()) {
        const char* cut = strrchr(state.projectPath, separatorOf(state.projectPath));
        if (cut) folder.assign(state.projectPath, static_cast<size_t>(cut - state.projectPath));
    }
    const char* name = state.naming.base == 1 ? state.layoutName : state.projectName;
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

void pageNumberText(const ExportRequest& state, int32_t page, char* text, size_t size) {
    if (size == 0) return;
    text[0] = 0;
    if (state.absolute == 1) {
        int16_t n = static_cast<int16_t>(page + state.offset);
        if (n >= 1) formatNumber(state.naming.numbers, n, text, size);
        return;
    }
    char name[kNameSize];
    hostPageName(state.layoutId, page, name, sizeof name);
    int32_t n = isAllDigits(name) ? readDecimal(name) : -1;
    if (n < 1)
        copyTextCut(text, size, name);
    else
        formatNumber(state.naming.numbers, n, text, size);
}

// A one-page layout gets a number only when the preference asks for it.
static bool pagesAreNumbered(const ExportRequest& state) {
    return state.areaMode == 0 && (state.pageCount > 1 || getAddAlways() == 1);
}

bool composeFileName(const ExportRequest& state, int32_t page, std::string& file) {
    file.clear();
    if (fileModeOf(state.naming.suffix) == FileMode::OneFile) {
        file = state.exportPath;
        return true;
    }

    const char* path = state.exportPath;
    char separator = separatorOf(path);
    const char* name = lastPathComponent(path);
    // The folder is what stands before the name; a bare name has none.
    std::string folder(path, name > path ? static_cast<size_t>(name - path - 1) : 0);

    std::string sep, number;
    if (pagesAreNumbered(state)) {
        char text[kNameSize];
        pageNumberText(state, page, text, sizeof text);
        sep = state.naming.separator;
        number = text;
    }
    const char* suffix = state.naming.suffix;
    std::string composed = state.naming.numberBeforeName == 1 ? number + sep + name + suffix
                                                              : name + sep + number + suffix;
    std::string result = folder;
    if (!result.empty() && result.back() != separator) result += separator;
    result += composed;
    if (result.size() >= kPathSize) return false;
    file = result;
    return true;
}

bool overwriteWarning(const char* file) {
    if (getOverwriteWarning() == 0 || !isVisibleFile(file)) return true;
    if (exportUi().askYesNo("overwriteWarning", lastPathComponent(file)) != Answer::Yes)
        return false;
    deleteFile(file);
    return true;
}

bool areaOverwriteAccepted(const char* file) {
    if (!isVisibleFile(file)) return true;
    return exportUi().askYesNo("overwriteWarning", lastPathComponent(file)) == Answer::Yes;
}

NamingCheck areaFileName(const ExportRequest& state, std::string& file) {
    const char* extension = state.styleType == kStyleTypePdf   ? "pdf"
                            : state.styleType == kStyleTypeEps ? "eps"
                                                               : "";
    // "Photo.pdf" names "Photo.pdf" (or "Photo.eps"), not "Photo.pdf.pdf".
    char base[kPathSize];
    copyText(base, state.exportPath);
    dropOutputExtension(base);
    file = std::string(base) + "." + extension;
    const char* name = lastPathComponent(file.c_str());
    NamingCheck check{NamingProblem::none, {}};
    if (file.size() >= kPathSize)
        check = {NamingProblem::tooLong, lastPathComponent(state.exportPath)};
    else if (isReservedDeviceName(name))
        check = {NamingProblem::reservedName, name};
    else if (isProjectFile(state, file.c_str()))
        check = {NamingProblem::projectFile, name};
    if (check.problem != NamingProblem::none) file.clear();
    return check;
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

NamingCheck checkOutputNames(const ExportRequest& state, const PageSelection& pages,
                             std::vector<PlannedFile>* files) {
    const FWiz& naming = state.naming;
    bool oneFile = fileModeOf(naming.suffix) == FileMode::OneFile;
    if (!oneFile && (naming.namingTooLong || !isSafeNamePart(naming.separator) ||
                     !isSafeNamePart(naming.suffix)))
        return {NamingProblem::badStyleNaming, state.styleName};
    bool numbered = !oneFile && pagesAreNumbered(state);
    PageSelection probe = pages;
    if (state.spreads == 1) reduceToSpreads(probe);
    std::set<std::string, FileNameLess> names;
    int32_t count = std::min<int32_t>(probe.pageCount, int32_t(probe.pageFlags.size()) - 1);
    for (int32_t p = 1; p <= count; p++) {
        if (probe.pageFlags[p] != 1) continue;
        char number[kNameSize];
        pageNumberText(state, p, number, sizeof number);
        if (numbered && !isSafeNamePart(number)) return {NamingProblem::badPageName, number};
        std::string file;
        if (!composeFileName(state, p, file))
            return {NamingProblem::tooLong, lastPathComponent(state.exportPath)};
        const char* name = lastPathComponent(file.c_str());
        if (isReservedDeviceName(name)) return {NamingProblem::reservedName, name};
        if (isProjectFile(state, file.c_str())) return {NamingProblem::projectFile, name};
        if (files) files->push_back({p, file});
        if (oneFile) continue;
        if (!names.insert(file).second) return {NamingProblem::repeatedName, name};
    }
    return {NamingProblem::none, {}};
}
