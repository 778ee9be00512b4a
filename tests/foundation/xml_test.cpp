// The XML reader on small documents shaped like our string tables and dialog descriptions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/xml.h"

namespace {

std::string text(const char* doc, const char* name, int32_t* count = nullptr) {
    char value[kXmlValueSize];
    int32_t n = xmlGetText(doc, name, value);
    if (count) *count = n;
    return value;
}

const char kTable[] = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<strings>\n"
                      "<no>No</no>\n<none>None</none>\n<saveAsEPS>first</saveAsEPS>\n"
                      "<kCopyOptions> Copy</kCopyOptions>\n<empty></empty>\n"
                      "<control id=\"1\">attr</control>\n<entity>a &amp; b</entity>\n"
                      "<saveAsEPS>second</saveAsEPS>\n</strings>\n";

TEST(XmlGetText, FindsElementsByLiteralTags) {
    struct Case {
        const char* name;
        const char* expected;
        int32_t count;
    } cases[] = {
        {"no", "No", 2},
        {"NO", "No", 2},           // case folded on the name
        {"none", "None", 4},       // "<no>" is no prefix match of "<none>"
        {"saveAsEPS", "first", 5}, // the first of two wins
        {"kCopyOptions", " Copy", 5},
        {"empty", "", 0},
        {"control", "", 0}, // a start tag with an attribute is not "<control>"
        {"entity", "a &amp; b", 9},
        {"missing", "", 0},
        {"", "", 0},
    };
    for (const Case& c : cases) {
        int32_t n = -1;
        EXPECT_EQ(text(kTable, c.name, &n), c.expected) << "name " << c.name;
        EXPECT_EQ(n, c.count) << "name " << c.name;
    }
}

TEST(XmlGetText, StartTagMatchesAnyCaseInTheDocument) {
    EXPECT_EQ(text("<YES>Yes</Yes>", "yes"), "Yes");
    EXPECT_EQ(text("<a>unterminated", "a"), "");
    EXPECT_EQ(text(nullptr, "a"), "");
}

TEST(XmlGetText, NameLengthLimitIsSixtyFourBytes) {
    std::string n64(64, 'k'), n65(65, 'k');
    std::string doc = "<" + n64 + ">sixty-four</" + n64 + "><" + n65 + ">too long</" + n65 + ">";
    EXPECT_EQ(text(doc.c_str(), n64.c_str()), "sixty-four");
    EXPECT_EQ(text(doc.c_str(), n65.c_str()), "");
}

TEST(XmlGetText, LongTextIsCutToTheBuffer) {
    std::string body(300, 'x');
    body[249] = 'L';
    std::string doc = "<t>" + body + "</t>";
    int32_t n = 0;
    std::string got = text(doc.c_str(), "t", &n);
    EXPECT_EQ(n, 250);
    EXPECT_EQ(got, body.substr(0, 250));

    char small[8];
    EXPECT_EQ(xmlGetText(doc.c_str(), "t", small, sizeof small), 7);
    EXPECT_EQ(std::string(small), std::string(7, 'x'));
}

TEST(XmlGetInt, TextsAndFallbacks) {
    struct Case {
        const char* doc;
        int32_t expected;
    } cases[] = {
        {"<v>true</v>", 1},  {"<v>false</v>", 0},
        {"<v>TRUE</v>", 0},  {"<v>  -42px</v>", -42},
        {"<v>+7</v>", 7},    {"<v>abc</v>", 0},
        {"<v></v>", 99},     {"<w>1</w>", 99},
        {"<v>true </v>", 0}, {"<v>99999999999</v>", 2147483647},
    };
    for (const Case& c : cases)
        EXPECT_EQ(xmlGetInt(c.doc, "v", 99), c.expected) << c.doc;
}

struct Visits {
    std::vector<std::string> elements;
    std::vector<int32_t> lengths;
    size_t stopAfter = 100;
};

bool collect(const char* element, int32_t length, void* context) {
    Visits* v = static_cast<Visits*>(context);
    v->elements.push_back(element);
    v->lengths.push_back(length);
    return v->elements.size() < v->stopAfter;
}

TEST(XmlForEachElement, VisitsInDocumentOrder) {
    const char doc[] = "<window><control><id>1</id></control>\n"
                       "<CONTROL><id>2</id></CONTROL><control><id>3</id></control></window>";
    Visits v;
    xmlForEachElement(doc, "control", collect, &v);
    ASSERT_EQ(v.elements.size(), 3u);
    EXPECT_EQ(v.elements[0], "<control><id>1</id></control>");
    EXPECT_EQ(v.lengths[0], static_cast<int32_t>(v.elements[0].size()));
    EXPECT_EQ(xmlGetInt(v.elements[1].c_str(), "id", 0), 2);
    EXPECT_EQ(xmlGetInt(v.elements[2].c_str(), "id", 0), 3);

    Visits first;
    first.stopAfter = 1;
    xmlForEachElement(doc, "control", collect, &first);
    EXPECT_EQ(first.elements.size(), 1u) << "the visitor's false stops the walk";
}

TEST(XmlForEachElement, NestedSameNameIsVisitedAgain) {
    Visits v;
    xmlForEachElement("<g><g>in</g>tail</g>", "g", collect, &v);
    ASSERT_EQ(v.elements.size(), 2u);
    EXPECT_EQ(v.elements[0], "<g><g>in</g>");
    EXPECT_EQ(v.elements[1], "<g>in</g>");
}

TEST(XmlForEachElement, AttributeNameFindsPlainEndTag) {
    Visits v;
    xmlForEachElement("<control type=\"x\">a</control><control>b</control>", "control type=\"x\"",
                      collect, &v);
    ASSERT_EQ(v.elements.size(), 1u);
    EXPECT_EQ(v.elements[0], "<control type=\"x\">a</control>");
}

TEST(XmlForEachElement, MissingEndTagEndsTheWalk) {
    Visits v;
    xmlForEachElement("<c>1</c><c>2", "c", collect, &v);
    EXPECT_EQ(v.elements, std::vector<std::string>{"<c>1</c>"});
}

TEST(XmlForEachElement, LongNamesAreSafe) {
    std::string name(200, 'n');
    std::string doc = "<" + name + ">x</" + name + ">";
    Visits v;
    xmlForEachElement(doc.c_str(), name.c_str(), collect, &v);
    EXPECT_EQ(v.elements.size(), 1u);
}

} // namespace
