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

enum class DistillStatus { Ok, Missing, Failed };
// Distills psPath into pdfPath (both UTF-8 host paths). pdfPath is removed on failure.
DistillStatus distill(const std::string& psPath, const std::string& pdfPath, std::string* error);

} // namespace refhost
