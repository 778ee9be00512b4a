#include "output/postscript.h"

#include "model/text_layout.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace refhost {

void appendFormat(std::string& out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, again);
        out.append(buf.data(), static_cast<size_t>(n));
    }
    va_end(again);
}

std::string postScriptProlog() {
    // The encoding prints what the width table measures: Latin-1 with the ASCII quote,
    // hyphen and grave at 39, 45 and 96.
    return "/LHfontdict /Helvetica findfont dup length dict begin\n"
           "  { 1 index /FID ne { def } { pop pop } ifelse } forall\n"
           "  /Encoding ISOLatin1Encoding 256 array copy\n"
           "    dup 39 /quotesingle put dup 45 /hyphen put dup 96 /grave put def\n"
           "  currentdict end def\n"
           "/LHfont /Helvetica-LayoutHost LHfontdict definefont def\n"
           "% top left bottom right LHbox: outline of a box\n"
           "/LHbox { 4 dict begin /r exch def /b exch def /l exch def /t exch def\n"
           "  gsave 0.5 setlinewidth 0.3 setgray l t r l sub b t sub rectstroke grestore end\n"
           "} bind def\n"
           "% string x baseline size LHtext: one line of text, upright on the y-down page\n"
           "/LHtext { 1 dict begin /s exch def gsave 0 setgray moveto\n"
           "  LHfont [s 0 0 s neg 0 0] makefont setfont show grestore end } bind def\n";
}

namespace {

void appendChar(std::string& out, unsigned c) {
    if (c > 0xFF || (c >= 0x80 && c < 0xA0) || c < 0x20) c = '?';
    if (c == '(' || c == ')' || c == '\\') {
        out.push_back('\\');
        out.push_back(static_cast<char>(c));
    } else if (c >= 0x80) {
        appendFormat(out, "\\%03o", c);
    } else {
        out.push_back(static_cast<char>(c));
    }
}

void drawItem(const Layout& layout, const Item& item, std::string& out) {
    if (item.suppressOutput) return;
    if (item.type == ItemType::Group) {
        for (const auto& m : item.members)
            drawItem(layout, *m, out);
        return;
    }
    Rect r = itemSpreadBounds(layout, item);
    appendFormat(out, "%.3f %.3f %.3f %.3f LHbox\n", r.top, r.left, r.bottom, r.right);
    if (item.type != ItemType::Text) return;
    TextLayoutResult text = layoutText(item);
    for (const auto& line : text.lines) {
        if (line.length == 0) continue;
        out += postScriptString16(item.text, line.start, line.length);
        appendFormat(out, " %.3f %.3f %.3f LHtext\n", r.left + kTextInset, r.top + line.baseline,
                     item.fontSize);
    }
}

} // namespace

std::string postScriptString(const std::string& utf8) {
    std::u16string t = utf8ToUtf16(utf8);
    return postScriptString16(t, 0, t.size());
}

std::string postScriptString16(const std::u16string& text, size_t start, size_t length) {
    std::string out = "(";
    for (size_t i = start; i < start + length && i < text.size(); ++i)
        appendChar(out, text[i]);
    out += ")";
    return out;
}

void drawSpreadItems(Layout& layout, int spread, std::string& out) {
    for (Item* item : itemsOfSpread(layout, spread))
        drawItem(layout, *item, out);
}

} // namespace refhost
