// Text layout of text boxes: Helvetica widths, word wrap and leading.
#pragma once

#include "model/document.h"

#include <string>
#include <vector>

namespace refhost {

constexpr double kLeadingFactor = 1.2; // line pitch = 1.2 x font size
constexpr double kTextInset = 1.0;     // points between box edge and text on every side

struct TextLine {
    size_t start = 0;    // first UTF-16 unit
    size_t length = 0;   // units shown on the line (a breaking space or newline excluded)
    double baseline = 0; // from the box top, points
    double width = 0;    // of the shown text, points
};

struct TextLayoutResult {
    std::vector<TextLine> lines; // the lines that fit the box
    size_t fittedUnits = 0;      // text units placed in those lines (breaks included)
    bool overflows = false;      // text is left over
};

// Width of one character of Helvetica at 1 point (1000 AFM units = 1 point at size 1).
// Characters outside Latin-1 measure as the question mark they print as.
double helveticaWidth(char16_t c);
double textWidth(const std::u16string& text, size_t start, size_t length, double fontSize);

TextLayoutResult layoutText(const Item& box);
inline bool textOverflows(const Item& box) {
    return box.type == ItemType::Text && layoutText(box).overflows;
}

} // namespace refhost
