#pragma once
#include <cstddef>
#include <string>

#include "export/export_state.h"

// Output file names: the path proposed to the dialog, the file of each page, and the question
// before an existing file is replaced.

// Cuts a typed ".pdf" or ".eps" (any case), which the style's naming adds again, from the
// last component; any other dotted part ("Spring.2025") is the name's own and stays.
void dropOutputExtension(char* path);

// Fills exportPath: folder (last folder or the project's) + "\" + project or layout name.
// False when it would not fit (exportPath is then empty).
bool defaultExportPath(ExportState& state);

// Fills outputFile for state.currentPage from exportPath and the style's naming fields.
// False, with outputFile empty, when the composed path would not fit its field.
bool composeFileName(ExportState& state);

// The page number part of a name for state.currentPage.
void pageNumberText(const ExportState& state, char* text, size_t size);

// True to go on. Asks before an existing visible outputFile is replaced (when the preference
// asks for it); Yes deletes the old file.
bool overwriteWarning(const ExportState& state);

// Area mode, when the dialog is confirmed with `path` (UTF-8): outputFile = path without a
// typed output extension + "." + the extension of styleType ("pdf", "eps", none for other
// types). A name Windows keeps for a device, or the open project's own file, is refused with a
// message; an existing visible file is asked about whatever the
// preference says. False keeps the dialog open.
bool areaFileName(ExportState& state, const char* path);
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
// Composes the file of every page the run will export (the flagged pages, one per spread when
// the style exports spreads) under exportPath, before any is written. Refuses a style whose
// naming did not fit or holds a character file names cannot hold, a page name that would leave
// the folder or is no file name, a file name that Windows keeps for a device (CON, NUL,
// COM1...), the open project's own file (compared as below, on the full path), and two pages
// that would get the same file (compared without case over the whole of Unicode, as Windows
// does). With the suffix "---" every page goes to one file by design.
NamingCheck checkOutputNames(const ExportState& state);
// The string-table key of a problem's message (null for none).
const char* namingProblemKey(NamingProblem problem);

// The last path component (after "\", or after "/" for a path that begins with "/").
const char* lastPathComponent(const char* path);
