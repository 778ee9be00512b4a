// Pieces of the output PostScript: the prolog, string quoting and the drawing of items.
#pragma once

#include "model/document.h"

#include <string>

namespace refhost {

// Procedures and the Latin-1 Helvetica the drawing uses.
std::string postScriptProlog();
// A PostScript string literal "(...)" of UTF-8 text; characters outside Latin-1 become "?".
std::string postScriptString(const std::string& utf8);
std::string postScriptString16(const std::u16string& text, size_t start, size_t length);
// Draws the items of a spread in page coordinates: box outlines, text lines that fit.
// Items with suppress-output (and members of such groups) are left out.
void drawSpreadItems(Layout& layout, int spread, std::string& out);
// printf into a std::string.
void appendFormat(std::string& out, const char* format, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 2, 3)))
#endif
    ;

} // namespace refhost
