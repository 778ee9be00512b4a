#include "model/document.h"

namespace refhost {

namespace {

std::string roman(int n) {
    static const struct {
        int value;
        const char* text;
    } digits[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"},
                  {90, "xc"},  {50, "l"},   {40, "xl"}, {10, "x"},   {9, "ix"},
                  {5, "v"},    {4, "iv"},   {1, "i"}};
    std::string out;
    for (const auto& d : digits)
        while (n >= d.value) {
            out += d.text;
            n -= d.value;
        }
    return out;
}

// a..z, then aa..zz, aaa..: the letter repeats, as page numbering in layout programs does.
std::string letters(int n) {
    int repeat = (n - 1) / 26 + 1;
    return std::string(repeat, static_cast<char>('a' + (n - 1) % 26));
}

const Section* sectionOfPage(const Layout& layout, int page) {
    const Section* found = nullptr;
    for (const auto& s : layout.sections)
        if (s.firstPage <= page) found = &s;
    return found;
}

} // namespace

std::string formatPageNumber(int number, PageNumberStyle style) {
    // Roman and letters have no zero or negatives; those fall back to digits.
    if (number < 1 && style != PageNumberStyle::Arabic) style = PageNumberStyle::Arabic;
    std::string s;
    switch (style) {
    case PageNumberStyle::Arabic:
        return std::to_string(number);
    case PageNumberStyle::RomanLower:
    case PageNumberStyle::RomanUpper:
        s = roman(number);
        break;
    case PageNumberStyle::AlphaLower:
    case PageNumberStyle::AlphaUpper:
        s = letters(number);
        break;
    }
    if (style == PageNumberStyle::RomanUpper || style == PageNumberStyle::AlphaUpper)
        for (auto& c : s)
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string pageName(const Layout& layout, int page) {
    if (page < 1 || page > layout.pageCount) return std::string();
    const Section* s = sectionOfPage(layout, page);
    if (!s) return std::to_string(page);
    return s->prefix + formatPageNumber(s->start + (page - s->firstPage), s->style);
}

int pageFromName(const Layout& layout, const std::string& name) {
    if (name.empty()) return -1;
    for (int p = 1; p <= layout.pageCount; ++p)
        if (pageName(layout, p) == name) return p;
    return -1;
}

} // namespace refhost
