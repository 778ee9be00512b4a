#include "model/output_style.h"
#include "refhost_test_support.h"

#include <gtest/gtest.h>

using namespace refhost;
using refhost_test::CMyTempDir;

namespace {

const char* kSettings = R"({
  "format": "layouthost-settings/1",
  "pdfOpenAfterExport": true,
  "window": {"x": 10},
  "outputStyles": [
    {"name": "Print PDF", "type": "PDF", "default": true, "ProcessColors": true,
     "data": {"XABL": {"BleedSettings": {"Symmetric": "9"}},
              "XPDF": {"PageOptions": {"Spreads": "0"}},
              "AYWB": {"FWiz": {"Sep": "_", "Numbers": "2"}}},
     "note": "kept"},
    {"name": "Spreads EPS", "type": "EPS",
     "data": {"XPXT": {"EPS": {"General": {"Spread": "1"}}}}},
    {"name": "Proof", "type": "Print"}
  ]
})";

} // namespace

TEST(SettingsFile, ReadsStylesAndTheirData) {
    HostSettings s;
    std::string error;
    ASSERT_TRUE(parseSettings(kSettings, "settings.json", s, &error)) << error;
    ASSERT_EQ(s.styles.size(), 3u);
    EXPECT_TRUE(s.pdfOpenAfterExport);
    OutputStyle* pdf = findStyle(s, "Print PDF");
    ASSERT_TRUE(pdf);
    EXPECT_EQ(pdf->type, kTypePdf);
    EXPECT_TRUE(pdf->processColors);
    EXPECT_EQ(defaultStyle(s, kTypePdf), pdf);
    // No style of EPS is marked default: the first of the type serves.
    EXPECT_EQ(defaultStyle(s, kTypeEps), findStyle(s, "Spreads EPS"));
    EXPECT_EQ(findStyle(s, "Proof")->type, kTypeNone);
    const std::string* sep = findValue(*pdf, 0x41595742, {"FWiz", "Sep"});
    ASSERT_TRUE(sep);
    EXPECT_EQ(*sep, "_");
}

TEST(SettingsFile, SaveKeepsEverythingIncludingUnknownFields) {
    CMyTempDir dir;
    HostSettings s;
    ASSERT_TRUE(parseSettings(kSettings, "settings.json", s, nullptr));
    s.path = dir.file("settings.json");
    setValue(*findStyle(s, "Proof"), 0x41595742, {"FWiz", "Suffix"}, ".ps");
    std::string error;
    ASSERT_TRUE(saveSettings(s, &error)) << error;

    HostSettings again;
    ASSERT_TRUE(loadSettings(s.path, again, &error)) << error;
    EXPECT_EQ(settingsToJson(again), settingsToJson(s));
    std::string text = refhost_test::readText(s.path);
    EXPECT_NE(text.find("\"window\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"note\": \"kept\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"XABL\""), std::string::npos) << text;
    EXPECT_EQ(again.path, s.path);
    EXPECT_FALSE(again.changed);
}

TEST(SettingsFile, SavedOnlyWhenChanged) {
    CMyTempDir dir;
    HostSettings s;
    resetSettings(s);
    s.path = dir.file("settings.json");
    std::string error;
    ASSERT_TRUE(saveSettingsIfChanged(s, &error));
    EXPECT_EQ(refhost_test::countFiles(dir.path()), 0);
    setDefaultStyle(s, *findStyle(s, "Default PDF"));
    EXPECT_TRUE(s.changed);
    ASSERT_TRUE(saveSettingsIfChanged(s, &error)) << error;
    EXPECT_FALSE(s.changed);
    HostSettings again;
    ASSERT_TRUE(loadSettings(s.path, again, &error)) << error;
    EXPECT_EQ(again.styles.size(), 2u);
}

TEST(SettingsFile, MalformedFilesLeaveTheSettingsAlone) {
    auto styles = [](const std::string& list) {
        return R"({"format": "layouthost-settings/1", "outputStyles": [)" + list + "]}";
    };
    struct Case {
        const char* what;
        std::string json;
        const char* reason;
    } cases[] = {
        {"not JSON", "{", "not valid JSON"},
        {"wrong format", R"({"format": "layouthost-project/1", "outputStyles": []})", "\"format\""},
        {"no style list", R"({"format": "layouthost-settings/1"})", "\"outputStyles\""},
        {"style without name", styles(R"({"type": "PDF"})"), "\"name\""},
        {"unknown type", styles(R"({"name": "A", "type": "TIFF"})"), "\"type\""},
        {"default as text", styles(R"({"name": "A", "type": "PDF", "default": "yes"})"),
         "\"default\""},
        {"number value", styles(R"({"name": "A", "type": "PDF",
            "data": {"XABL": {"BleedSettings": {"Symmetric": 9}}}})"),
         "XABL/BleedSettings/Symmetric"},
        {"owner of three characters", styles(R"({"name": "A", "type": "PDF",
            "data": {"XAB": {}}})"),
         "four characters"},
        {"two styles of one name", styles(R"({"name": "A", "type": "PDF"},
            {"name": "A", "type": "EPS"})"),
         "two output styles"},
        {"two defaults", styles(R"({"name": "A", "type": "PDF", "default": true},
            {"name": "B", "type": "PDF", "default": true})"),
         "two default"},
    };
    std::string deep = "{}";
    for (int i = 0; i < 40; ++i)
        deep = "{\"k\": " + deep + "}";
    std::vector<Case> all(std::begin(cases), std::end(cases));
    all.push_back({"dictionaries nested 40 deep",
                   styles(R"({"name": "A", "type": "PDF", "data": {"XABL": )" + deep + "}}"),
                   "nested too deeply"});
    CMyTempDir dir;
    for (const auto& c : all) {
        HostSettings s;
        resetSettings(s);
        std::string before = settingsToJson(s);
        std::string path = dir.file("settings.json");
        ASSERT_TRUE(refhost_test::writeText(path, c.json));
        std::string error;
        EXPECT_FALSE(loadSettings(path, s, &error)) << c.what << ": expected refusal";
        EXPECT_EQ(error.rfind(path + ": ", 0), 0u)
            << c.what << ": expected the message to start with the file, got: " << error;
        EXPECT_NE(error.find(c.reason), std::string::npos)
            << c.what << ": expected a reason mentioning " << c.reason << ", got: " << error;
        EXPECT_EQ(settingsToJson(s), before) << c.what << ": settings were changed";
    }
}

TEST(SettingsFile, OwnerNamesAreTheCodesBytesInMemoryOrder) {
    struct Case {
        uint32_t code;
        const char* name;
    } cases[] = {{0x4C424158, "XABL"}, {0x54585058, "XPXT"},       {0x46445058, "XPDF"},
                 {0x41595742, "AYWB"}, {0x42575941, "0x42575941"}, {0x00FF0141, "0x00FF0141"}};
    for (const auto& c : cases) {
        EXPECT_EQ(fourCCName(c.code), c.name);
        uint32_t back = 0;
        EXPECT_TRUE(fourCCFromName(c.name, back)) << c.name;
        EXPECT_EQ(back, c.code) << c.name;
    }
    uint32_t plugin = 0;
    EXPECT_TRUE(fourCCFromName("BWYA", plugin));
    EXPECT_EQ(plugin, 0x41595742u) << "the plug-in's code in memory order";
    uint32_t unused = 0;
    EXPECT_FALSE(fourCCFromName("XAB", unused));
    EXPECT_FALSE(fourCCFromName("0x1234567G", unused));
}

TEST(SettingsFile, BleedAndSpreadsOfAStyle) {
    struct Case {
        uint32_t type;
        uint32_t owner;
        std::vector<std::string> path;
        std::string value;
        double bleed;
        bool spreads;
    } cases[] = {
        {kTypePdf, kOwnerBleed, {"BleedSettings", "Symmetric"}, "9", 9, false},
        {kTypePdf, kOwnerBleed, {"BleedSettings", "Symmetric"}, "0.5", 0.5, false},
        {kTypePdf, kOwnerBleed, {"BleedSettings", "Symmetric"}, "", 0, false},
        {kTypePdf, kOwnerBleed, {"BleedSettings", "Symmetric"}, "-3", 0, false},
        {kTypePdf, kOwnerBleed, {"BleedSettings", "Symmetric"}, "inf", 0, false},
        {kTypePdf, kOwnerBleed, {"BleedSettings", "Symmetric"}, "1e300", 0, false},
        {kTypePdf, kOwnerPdfExport, {"PageOptions", "Spreads"}, "1", 0, true},
        {kTypePdf, kOwnerPdfExport, {"PageOptions", "Spreads"}, "0", 0, false},
        {kTypeEps, kOwnerEpsExport, {"EPS", "General", "Spread"}, "1", 0, true},
        // Each type reads its own owner only.
        {kTypeEps, kOwnerPdfExport, {"PageOptions", "Spreads"}, "1", 0, false},
        {kTypeNone, kOwnerPdfExport, {"PageOptions", "Spreads"}, "1", 0, false},
    };
    for (const auto& c : cases) {
        OutputStyle s;
        s.type = c.type;
        setValue(s, c.owner, c.path, c.value);
        EXPECT_DOUBLE_EQ(styleBleed(s), c.bleed) << fourCCName(c.owner) << " " << c.value;
        EXPECT_EQ(styleExportsSpreads(s), c.spreads) << fourCCName(c.owner) << " " << c.value;
    }
}
