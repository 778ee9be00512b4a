#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "export/export_request.h"
#include "export/export_plan.h"
#include "export/page_range.h"

// Output file names: the path proposed to the dialog, the file of each page, and the question
// before an existing file is replaced.

// Cuts a typed ".pdf" or ".eps" (any case), which the style's naming adds again, from the
// last component; any other dotted part ("Spring.2025") is the name's own and stays.
void dropOutputExtension(char* path);

// Fills exportPath: folder (last folder or the project's) + "\" + project or layout name.
// False when it would not fit (exportPath is then empty).
bool defaultExportPath(ExportRequest& state);

// The file of `page` from exportPath (without extension) and the style's naming. False, with
// `file` empty, when the composed path would not fit a path field (kPathSize).
bool composeFileName(const ExportRequest& state, int32_t page, std::string& file);

// The page number part of a name for `page`.
void pageNumberText(const ExportRequest& state, int32_t page, char* text, size_t size);

// True to go on. Asks before an existing visible file is replaced (when the preference asks
// for it); Yes deletes the old file.
bool overwriteWarning(const char* file);
// Area mode: the dialog asks before an existing visible file is replaced, whatever the
// preference says. True to go on; the file stays until the host replaces it.
bool areaOverwriteAccepted(const char* file);
// Why the files of a run cannot be named; `subject` says which page, file or style.
enum class NamingProblem {
    none,
    tooLong,
    badStyleNaming,
    badPageName,
    repeatedName,
    reservedName,
    projectFile,
};
struct NamingCheck {
    NamingProblem problem;
    std::string subject;
};
// Area mode: `file` = exportPath (as chosen) without a typed output extension + "." + the
// extension of styleType ("pdf", "eps", none for other types). Refuses a path that would not
// fit a path field, a name Windows keeps for a device and the open project's own file.
NamingCheck areaFileName(const ExportRequest& state, std::string& file);
// Composes the file of every page the run will export (the flagged pages of `pages`, one per
// spread when the style exports spreads) under exportPath (without extension), before any is
// written, and appends each page with its file to `files` when given. Refuses a style whose
// naming did not fit or holds a character file names cannot hold, a page name that would leave
// the folder or is no file name, a file name that Windows keeps for a device (CON, NUL,
// COM1...), the open project's own file (compared as below, on the full path), and two pages
// that would get the same file (compared without case over the whole of Unicode, as Windows
// does). With the suffix "---" every page goes to one file by design.
NamingCheck checkOutputNames(const ExportRequest& state, const PageSelection& pages,
                             std::vector<PlannedFile>* files = nullptr);
// The string-table key of a problem's message (null for none).
const char* namingProblemKey(NamingProblem problem);

// The last path component (after "\", or after "/" for a path that begins with "/").
const char* lastPathComponent(const char* path);
