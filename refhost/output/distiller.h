// Ghostscript as the distiller that turns the output PostScript into PDF.
#pragma once

#include <string>

namespace refhost {

// --distiller PATH; empty restores the default (gswin64c.exe on Windows, /usr/bin/gs under
// Wine, started as a Unix program).
void setDistillerPath(const std::string& path);
std::string distillerPath();

enum class DistillStatus { Ok, Missing, Failed };
// Distills psPath into pdfPath (both UTF-8 host paths). pdfPath is removed on failure.
DistillStatus distill(const std::string& psPath, const std::string& pdfPath, std::string* error);

} // namespace refhost
