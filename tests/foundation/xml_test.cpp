// The XML reader on small documents shaped like our string tables and dialog descriptions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/xml.h"

namespace {

TEST(XmlGetText, FindsElementsByLiteralTags) {
    const std::string k64(64, 'k'), k65(65, 'k'), body(300, 'x');
    const std::string table = "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<strings>\n<no>No</no>"
                              "<none>None</none><saveAsEPS>first</saveAsEPS><cp> Copy</cp>"
                              "<empty></empty><control id=\"1\">attr</control><e>a &amp; b</e>"
                              "<saveAsEPS>second</saveAsEPS><" +
                              k64 + ">64</" + k64 + "><" + k65 + ">65</" + k65 + "><long>" + body +
                              "</long><open>x";
    struct Case {
        std::string name, expected;
    } cases[] = {
        {"no", "No"},
        {"NO", "No"},
        {"none", "None"},
        {"saveAsEPS", "first"},
        {"cp", " Copy"},
        {"empty", ""},
        {"control", ""},
        {"e", "a &amp; b"},
        {k64, "64"},
        {k65, ""},
        {"long", body.substr(0, 250)},
        {"open", ""},
        {"missing", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        char value[kXmlValueSize];
        int32_t n = xmlGetText(table.c_str(), c.name.c_str(), value);
        EXPECT_EQ(std::string(value), c.expected) << "name " << c.name;
        EXPECT_EQ(n, static_cast<int32_t>(c.expected.size())) << "name " << c.name;
    }
    char small[8];
    EXPECT_EQ(xmlGetText(table.c_str(), "long", small, sizeof small), 7) << "cut to the buffer";
}

TEST(XmlGetInt, TextsAndFallbacks) {
    struct Case {
        const char* doc;
        int32_t expected;
    } cases[] = {
        {"<v>true</v>", 1},  {"<V>false</V>", 0},     {"<v>TRUE</v>", 0},
        {"<v>true </v>", 0}, {"<v>  -42px</v>", -42}, {"<v>abc</v>", 0},
        {"<v></v>", 99},     {"<w>1</w>", 99},        {"<v>99999999999</v>", 2147483647},
    };
    for (const Case& c : cases)
        EXPECT_EQ(xmlGetInt(c.doc, "v", 99), c.expected) << c.doc;
}

struct Visits {
    std::vector<std::string> elements;
    size_t stopAfter;
};

bool collect(const char* element, int32_t length, void* context) {
    Visits* v = static_cast<Visits*>(context);
    EXPECT_EQ(static_cast<size_t>(length), strlen(element));
    v->elements.push_back(element);
    return v->elements.size() < v->stopAfter;
}

TEST(XmlForEachElement, VisitsElementsInDocumentOrder) {
    typedef std::vector<std::string> List;
    struct Case {
        const char* doc;
        const char* name;
        size_t stopAfter;
        List expected;
    } cases[] = {
        {"<w><c><id>1</id></c>\n<C>2</C></w>", "c", 9, {"<c><id>1</id></c>", "<C>2</C>"}},
        {"<c>1</c><c>2</c>", "c", 1, {"<c>1</c>"}}, // the visitor's false stops the walk
        {"<g><g>in</g>tail</g>", "g", 9, {"<g><g>in</g>", "<g>in</g>"}},
        {"<c t=\"x\">a</c><c>b</c>", "c t=\"x\"", 9, {"<c t=\"x\">a</c>"}},
        {"<c>1</c><c>2", "c", 9, {"<c>1</c>"}},
    };
    for (const Case& c : cases) {
        Visits v{{}, c.stopAfter};
        xmlForEachElement(c.doc, c.name, collect, &v);
        EXPECT_EQ(v.elements, c.expected) << c.doc;
    }
    std::string name(200, 'n'), doc = "<" + name + ">x</" + name + ">";
    Visits v{{}, 9};
    xmlForEachElement(doc.c_str(), name.c_str(), collect, &v);
    EXPECT_EQ(v.elements.size(), 1u) << "long names are safe";
}

} // namespace
