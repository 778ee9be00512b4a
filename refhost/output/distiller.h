// Ghostscript as the distiller that turns the output PostScript into PDF.
#pragma once

#include <string>

namespace refhost {

// --distiller PATH; empty restores the default (gswin64c.exe on Windows, /usr/bin/gs under
// Wine, started as a Unix program). A distiller named here is started for every output.
void setDistillerPath(const std::string& path);
std::string distillerPath();
// --resident-distiller PATH: the Ghostscript program kept running between pages under Wine
// (a Unix path). Without it, Ghostscript itself stays running when no --distiller is given;
// "none" starts the distiller once per page in any case.
void setResidentDistillerPath(const std::string& path);
// --distiller-timeout SECONDS: how long the resident distiller may take over a page before it
// is killed, with whatever it started, and the page is distilled by a run of its own (120).
void setResidentDistillerTimeout(double seconds);
// Ends the resident distiller, if one runs, and removes its spool folder (the host's exit).
void endResidentDistiller();

// Where an output's PostScript is best written for distill(): the resident distiller's own
// input file where one is kept running, which it reads in place, otherwise a new temporary
// file. releaseDistillerInput removes it afterwards, unless the resident distiller keeps it.
std::string distillerInput();
void releaseDistillerInput(const std::string& psPath);

enum class DistillStatus { Ok, Missing, Failed };
// Distills psPath into pdfPath (both UTF-8 host paths). pdfPath is removed on failure. Given
// finalPath and placed, a finished PDF that can be renamed straight over finalPath (one step,
// within a volume) is put there instead, and *placed is set.
DistillStatus distill(const std::string& psPath, const std::string& pdfPath, std::string* error,
                      const std::string& finalPath = std::string(), bool* placed = nullptr);

} // namespace refhost
