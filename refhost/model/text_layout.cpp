#include "model/text_layout.h"

namespace refhost {

namespace {

bool isBreak(char16_t c) {
    return c == u'\n' || c == u'\r';
}
bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t';
}

struct RawLine {
    size_t start, length, end; // end: first unit of the next line
    double width;
};

// Greedy word wrap of one paragraph [begin, end) into lines no wider than maxWidth (points).
void wrapParagraph(const std::u16string& t, size_t begin, size_t end, double size, double maxWidth,
                   std::vector<RawLine>& out) {
    size_t lineStart = begin;
    if (begin == end) {
        out.push_back({begin, 0, end, 0});
        return;
    }
    while (lineStart < end) {
        double w = 0;
        size_t i = lineStart;
        size_t lastBreak = std::string::npos; // index of a space where the line may end
        double widthAtBreak = 0;
        while (i < end) {
            double cw = helveticaWidth(t[i]) * size;
            if (isSpace(t[i])) {
                lastBreak = i;
                widthAtBreak = w;
            } else if (w + cw > maxWidth && i > lineStart) {
                break;
            }
            w += cw;
            ++i;
        }
        if (i >= end) {
            out.push_back({lineStart, end - lineStart, end, w});
            return;
        }
        if (lastBreak != std::string::npos && lastBreak > lineStart) {
            size_t next = lastBreak;
            while (next < end && isSpace(t[next]))
                ++next;
            out.push_back({lineStart, lastBreak - lineStart, next, widthAtBreak});
            lineStart = next;
        } else {
            // A word longer than the line is cut where it stops fitting.
            out.push_back({lineStart, i - lineStart, i, w});
            lineStart = i;
        }
    }
}

bool hasVisibleText(const std::u16string& t, size_t from) {
    for (size_t i = from; i < t.size(); ++i)
        if (!isSpace(t[i]) && !isBreak(t[i])) return true;
    return false;
}

} // namespace

double textWidth(const std::u16string& text, size_t start, size_t length, double fontSize) {
    double w = 0;
    for (size_t i = start; i < start + length && i < text.size(); ++i)
        w += helveticaWidth(text[i]);
    return w * fontSize;
}

TextLayoutResult layoutText(const Item& box) {
    TextLayoutResult r;
    if (box.type != ItemType::Text) return r;
    const std::u16string& t = box.text;
    double size = box.fontSize > 0 ? box.fontSize : 12;
    double leading = size * kLeadingFactor;
    double maxWidth = width(box.bounds) - 2 * kTextInset;
    double maxHeight = height(box.bounds) - 2 * kTextInset;

    std::vector<RawLine> lines;
    size_t p = 0;
    while (p <= t.size()) {
        size_t e = p;
        while (e < t.size() && !isBreak(t[e]))
            ++e;
        wrapParagraph(t, p, e, size, maxWidth, lines);
        if (e >= t.size()) break;
        size_t next = e + 1;
        if (t[e] == u'\r' && next < t.size() && t[next] == u'\n') ++next;
        lines.back().end = next;
        p = next;
    }

    // Small tolerance: a box drawn exactly n lines high holds n lines.
    size_t fitting = 0;
    while (fitting < lines.size() && (fitting + 1) * leading <= maxHeight + 1e-6)
        ++fitting;
    for (size_t k = 0; k < fitting; ++k) {
        const RawLine& l = lines[k];
        r.lines.push_back({l.start, l.length, kTextInset + k * leading + size, l.width});
        r.fittedUnits = l.end;
    }
    r.overflows = hasVisibleText(t, r.fittedUnits);
    return r;
}

} // namespace refhost
