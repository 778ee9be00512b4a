#include "model/text_layout.h"

#include <gtest/gtest.h>

using namespace refhost;

namespace {

Item textBox(double w, double h, const std::u16string& text, double size = 10) {
    Item it;
    it.type = ItemType::Text;
    it.bounds = {0, 0, h, w};
    it.text = text;
    it.fontSize = size;
    return it;
}

} // namespace

TEST(TextLayout, HelveticaWidths) {
    struct Case {
        std::u16string text;
        double size;
        double width;
    } cases[] = {
        {u"Hello", 10, 22.78},        // H 722, e 556, l 222, l 222, o 556
        {u"WAVE", 12, 35.34},         // W 944, A 667, V 667, E 667
        {u"i'-`", 100, 107.9},        // i 222, quotesingle 191, hyphen 333, grave 333
        {u"\u00e9\u00df", 10, 11.67}, // eacute 556, germandbls 611
        {u"\u20ac", 10, 5.56},        // outside Latin-1: printed and measured as "?"
    };
    for (const auto& c : cases)
        EXPECT_NEAR(textWidth(c.text, 0, c.text.size(), c.size), c.width, 1e-9)
            << std::string(c.text.begin(), c.text.end());
}

TEST(TextLayout, WrapsAtSpacesWithinTheInset) {
    // "Hello Hello" is 50.34 pt at 10 pt: a box 40 pt wide (38 inside) holds one word a line.
    Item box = textBox(40, 100, u"Hello Hello");
    TextLayoutResult r = layoutText(box);
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0].start, 0u);
    EXPECT_EQ(r.lines[0].length, 5u);
    EXPECT_EQ(r.lines[1].start, 6u);
    EXPECT_NEAR(r.lines[0].width, 22.78, 1e-9);
    EXPECT_NEAR(r.lines[0].baseline, kTextInset + 10, 1e-9);
    EXPECT_NEAR(r.lines[1].baseline, kTextInset + 10 + 12, 1e-9);
    EXPECT_FALSE(r.overflows);
}

TEST(TextLayout, Overflow) {
    // 10 pt text leads 12 pt; with the inset of 1 pt on each side a box of 2 + 12n pt holds n
    // lines.
    struct Case {
        const char* what;
        double w, h;
        std::u16string text;
        bool overflows;
        size_t lines;
    } cases[] = {
        {"empty box", 50, 5, u"", false, 0},
        {"exactly one line", 100, 14, u"Hello", false, 1},
        {"just too low for one line", 100, 13.9, u"Hello", true, 0},
        {"two lines fit", 40, 26, u"Hello Hello", false, 2},
        {"third line does not fit", 40, 26, u"Hello Hello Hello", true, 2},
        {"newline makes a second line", 200, 14, u"Hello\nHello", true, 1},
        {"CR LF is one break", 200, 26, u"Hello\r\nHello", false, 2},
        {"only spaces and breaks left over", 200, 14, u"Hello\n\n  ", false, 1},
        {"word longer than the box is cut", 20, 50, u"Hellohello", false, 3}, // Hell|ohe|llo
        {"wide word in a tall box", 20, 26, u"Hellohello", true, 2},
    };
    for (const auto& c : cases) {
        TextLayoutResult r = layoutText(textBox(c.w, c.h, c.text));
        EXPECT_EQ(r.overflows, c.overflows) << c.what;
        EXPECT_EQ(r.lines.size(), c.lines) << c.what;
        EXPECT_EQ(textOverflows(textBox(c.w, c.h, c.text)), c.overflows) << c.what;
    }
}
