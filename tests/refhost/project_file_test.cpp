#include "model/json_util.h"
#include "model/project_file.h"
#include "refhost_test_support.h"

#include <gtest/gtest.h>

using namespace refhost;
using refhost_test::CMyTempDir;

namespace {

const char* kRichProject = R"({
  "format": "layouthost-project/1",
  "comment": "extra fields are allowed",
  "layouts": [
    {"name": "Front", "pageWidth": 595.5, "pageHeight": 842, "pageCount": 5,
     "sections": [{"firstPage": 1, "start": 1, "prefix": "", "style": "roman"},
                  {"firstPage": 4, "start": 1, "prefix": "A-", "style": "arabic"}],
     "spreads": [[1], [2, 3], [4, 5]],
     "items": [
       {"name": "Title", "type": "text", "page": 3, "bounds": [36, 36, 100, 300],
        "text": "Gr\u00fc\u00dfe", "fontSize": 14, "suppressOutput": true},
       {"type": "group", "page": 2, "members": [
          {"name": "A", "type": "box", "page": 2, "bounds": [10, 20, 30, 40]},
          {"name": "B", "type": "box", "page": 2, "bounds": [50, 5, 60, 80]}]}
     ],
     "data": {"AYWB": "AAEC/w=="}},
    {"name": "Back", "pageWidth": 612, "pageHeight": 792, "pageCount": 1}
  ],
  "data": {"AYWB": "aGVsbG8="}
})";

std::unique_ptr<Document> parse(const std::string& json, std::string* error = nullptr) {
    std::string e;
    auto doc = parseProject(json, "test.lyt", error ? error : &e);
    return doc;
}

} // namespace

TEST(ProjectFile, ReadsEveryField) {
    std::string error;
    auto doc = parse(kRichProject, &error);
    ASSERT_TRUE(doc) << error;
    ASSERT_EQ(doc->layouts.size(), 2u);
    const Layout& l = *doc->layouts[0];
    EXPECT_EQ(l.name, "Front");
    EXPECT_DOUBLE_EQ(l.pageWidth, 595.5);
    EXPECT_EQ(l.pageCount, 5);
    ASSERT_EQ(l.sections.size(), 2u);
    EXPECT_EQ(l.sections[1].prefix, "A-");
    EXPECT_EQ(l.spreads, (std::vector<std::vector<int>>{{1}, {2, 3}, {4, 5}}));
    ASSERT_EQ(l.items.size(), 2u);
    EXPECT_EQ(l.items[0]->text, u"Gr\u00fc\u00dfe");
    EXPECT_TRUE(l.items[0]->suppressOutput);
    const Item& group = *l.items[1];
    ASSERT_EQ(group.members.size(), 2u);
    EXPECT_EQ(group.members[0]->parent, &group);
    // A group without bounds covers its members.
    EXPECT_DOUBLE_EQ(group.bounds.top, 10);
    EXPECT_DOUBLE_EQ(group.bounds.left, 5);
    EXPECT_DOUBLE_EQ(group.bounds.bottom, 60);
    EXPECT_DOUBLE_EQ(group.bounds.right, 80);
    EXPECT_EQ(l.data.at(0x41595742), (std::vector<uint8_t>{0, 1, 2, 255}));
    EXPECT_EQ(doc->data.at(0x41595742), (std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o'}));
    // The second layout takes the defaults: arabic from 1, one page a spread.
    const Layout& back = *doc->layouts[1];
    EXPECT_EQ(pageName(back, 1), "1");
    EXPECT_EQ(back.spreads, (std::vector<std::vector<int>>{{1}}));
    // Item ids are unique in the document.
    EXPECT_NE(group.members[0]->id, group.members[1]->id);
    EXPECT_NE(group.id, l.items[0]->id);
}

TEST(ProjectFile, SaveAndLoadGiveTheSameProject) {
    CMyTempDir dir;
    auto doc = parse(kRichProject);
    ASSERT_TRUE(doc);
    doc->changed = true;
    std::string path = dir.file("Round trip.lyt");
    std::string error;
    ASSERT_TRUE(saveProject(*doc, path, &error)) << error;
    EXPECT_EQ(doc->path, path);
    EXPECT_EQ(doc->name, "Round trip.lyt");
    EXPECT_FALSE(doc->changed);

    auto again = loadProject(path, false, &error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(projectToJson(*again), projectToJson(*doc));
    EXPECT_EQ(again->path, path);
    EXPECT_FALSE(again->changed);
    EXPECT_EQ(again->layouts[0]->data, doc->layouts[0]->data);
}

TEST(ProjectFile, UntitledProjectHasNoPath) {
    CMyTempDir dir;
    std::string path = dir.file("Source.lyt");
    ASSERT_TRUE(refhost_test::writeText(path, kRichProject));
    std::string error;
    auto doc = loadProject(path, true, &error);
    ASSERT_TRUE(doc) << error;
    EXPECT_EQ(doc->path, "");
    EXPECT_EQ(doc->name.rfind("Project", 0), 0u) << doc->name;
}

TEST(ProjectFile, FailedSaveKeepsThePathAndTheChangedFlag) {
    CMyTempDir dir;
    auto doc = parse(kRichProject);
    doc->path = dir.file("Old.lyt");
    doc->changed = true;
    std::string target = dir.file("missing folder\\New.lyt");
    std::string error;
    EXPECT_FALSE(saveProject(*doc, target, &error));
    EXPECT_NE(error.find(target), std::string::npos) << error;
    EXPECT_EQ(doc->path, dir.file("Old.lyt"));
    EXPECT_TRUE(doc->changed);
    EXPECT_EQ(refhost_test::countFiles(dir.path()), 0);
}

TEST(ProjectFile, MalformedFilesAreRefusedWithTheReason) {
    auto layout = [](const std::string& fields) {
        return std::string(R"({"format": "layouthost-project/1", "layouts": [{"name": "L", )") +
               fields + "}]}";
    };
    const std::string page = R"("pageWidth": 612, "pageHeight": 792, "pageCount": 3)";
    struct Case {
        const char* what;
        std::string json;
        const char* reason;
    } cases[] = {
        {"not JSON", "{\"format\": ", "not valid JSON"},
        {"a list at the top", "[]", "not a JSON object"},
        {"wrong format", R"({"format": "layouthost-project/2", "layouts": []})", "\"format\""},
        {"no layouts", R"({"format": "layouthost-project/1", "layouts": []})", "\"layouts\""},
        {"no page count", layout(R"("pageWidth": 612, "pageHeight": 792)"), "\"pageCount\""},
        {"zero pages", layout(R"("pageWidth": 612, "pageHeight": 792, "pageCount": 0)"),
         "\"pageCount\""},
        {"page count as text", layout(R"("pageWidth": 612, "pageHeight": 792, "pageCount": "3")"),
         "\"pageCount\""},
        {"negative width", layout(R"("pageWidth": -1, "pageHeight": 792, "pageCount": 1)"),
         "\"pageWidth\""},
        {"unknown section style",
         layout(page + R"(, "sections": [{"firstPage": 1, "style": "greek"}])"), "\"style\""},
        {"first section not on page 1", layout(page + R"(, "sections": [{"firstPage": 2}])"),
         "page 1"},
        {"sections out of order",
         layout(page + R"(, "sections": [{"firstPage": 1}, {"firstPage": 3}, {"firstPage": 2}])"),
         "ascending"},
        {"spread skips a page", layout(page + R"(, "spreads": [[1], [3]])"), "expected page 2"},
        {"spreads miss the last page", layout(page + R"(, "spreads": [[1, 2]])"),
         "page 3 is missing"},
        {"item page outside", layout(page + R"(, "items": [{"type": "box", "page": 4,
            "bounds": [0, 0, 1, 1]}])"),
         "\"page\""},
        {"three bounds", layout(page + R"(, "items": [{"type": "box", "page": 1,
            "bounds": [0, 0, 1]}])"),
         "\"bounds\""},
        {"upside-down bounds", layout(page + R"(, "items": [{"type": "box", "page": 1,
            "bounds": [10, 0, 5, 1]}])"),
         "\"bounds\""},
        {"unknown item type", layout(page + R"(, "items": [{"type": "oval", "page": 1,
            "bounds": [0, 0, 1, 1]}])"),
         "\"type\""},
        {"member on another page", layout(page + R"(, "items": [{"type": "group", "page": 1,
            "members": [{"type": "box", "page": 2, "bounds": [0, 0, 1, 1]}]}])"),
         "group's page"},
        {"two layouts of one name",
         R"({"format": "layouthost-project/1", "layouts": [
            {"name": "L", "pageWidth": 612, "pageHeight": 792, "pageCount": 1},
            {"name": "L", "pageWidth": 612, "pageHeight": 792, "pageCount": 1}]})",
         "two layouts"},
    };
    std::string deep = R"({"type": "box", "page": 1, "bounds": [0, 0, 1, 1]})";
    for (int i = 0; i < 40; ++i)
        deep = R"({"type": "group", "page": 1, "members": [)" + deep + "]}";
    std::vector<Case> all(std::begin(cases), std::end(cases));
    all.push_back({"groups nested 40 deep", layout(page + ", \"items\": [" + deep + "]"),
                   "nested too deeply"});
    CMyTempDir dir;
    for (const auto& c : all) {
        std::string path = dir.file("Bad.lyt");
        ASSERT_TRUE(refhost_test::writeText(path, c.json));
        std::string error;
        auto doc = loadProject(path, false, &error);
        EXPECT_FALSE(doc) << c.what << ": expected refusal, got a project";
        EXPECT_EQ(error.rfind(path + ": ", 0), 0u)
            << c.what << ": expected the message to start with the file, got: " << error;
        EXPECT_NE(error.find(c.reason), std::string::npos)
            << c.what << ": expected a reason mentioning " << c.reason << ", got: " << error;
    }
}

TEST(ProjectFile, DataThatCannotBeReadIsReportedAndKeptAsItStands) {
    // One bad block must not cost the project: it is named, and saved back unchanged.
    const std::string json = R"({"format": "layouthost-project/1",
      "layouts": [{"name": "L", "pageWidth": 612, "pageHeight": 792, "pageCount": 1,
                   "data": {"BWYAX": [1, "two"], "XABL": "AAEC"}}],
      "data": {"AYWB": "a*b=", "XPDF": "aGVsbG8="}})";
    std::string error;
    auto doc = parse(json, &error);
    ASSERT_TRUE(doc) << error;
    const std::string kept = "; it is kept unchanged, and plug-ins can neither read nor change it";
    EXPECT_EQ(doc->keptNotes,
              (std::vector<std::string>{
                  "test.lyt: layout \"L\": data of \"BWYAX\" has an owner that is not four "
                  "characters" +
                      kept,
                  "test.lyt: project: data of \"AYWB\" is not base64 text" + kept}));
    EXPECT_EQ(doc->data.count(0x41595742), 0u);
    EXPECT_EQ(doc->data.size(), 1u) << "the readable block is read";
    EXPECT_EQ(doc->layouts[0]->data.size(), 1u);

    const std::string written = projectToJson(*doc);
    const Json saved = Json::parse(written);
    EXPECT_EQ(saved["data"]["AYWB"], "a*b=");
    EXPECT_EQ(saved["data"]["XPDF"], "aGVsbG8=");
    EXPECT_EQ(saved["layouts"][0]["data"]["BWYAX"].dump(), R"([1,"two"])");
    auto again = parse(written, &error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(projectToJson(*again), written);
}
