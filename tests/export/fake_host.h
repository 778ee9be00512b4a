#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "kxh_api.h"

// A small host behind real host tables: layouts with named pages and spreads, documents,
// output styles with keyed data, and an output that calls the plug-in's hooks in the host's
// order and writes what the hooks hand it into the output file.

struct FakeLayout {
    std::string name = "Layout 1";
    std::vector<std::string> pageNames;    // displayed names, absolute page 1 first
    std::vector<std::vector<int>> spreads; // empty: one page per spread
    KxhFixed width = 612 * 65536, height = 792 * 65536;
    int currentPage = 1;
    bool hasData = false;
    std::vector<uint8_t> data; // Kestrix's layout block
    int storeResult = 0;       // what storing the block answers
};

struct FakeDocument {
    std::string path; // empty: never saved
    std::string name = "Catalog.qxp";
    int changeMarks = 0;
};

// Values of one container by path: "FWiz/Sep" -> "_"; a path ending in "/" marks a dictionary.
typedef std::map<std::string, std::string> FakeEntries;

struct FakeStyle {
    std::string name;
    uint32_t type = KXH_TYPE_PDF;
    bool isDefault = false;
    std::map<uint32_t, FakeEntries> containers;
    int applyResult = 0;
};

struct FakeOutput {
    int32_t layout = -1;
    uint32_t type = 0;
    uint32_t options = 0;
    int32_t first = 0, last = 0;
    std::string file;
    std::string style; // name of the style applied
    std::string postscript;
};

class FakeHost {
  public:
    FakeHost(); // installs its tables for the export engine
    ~FakeHost();

    FakeLayout& addLayout(int pages, const std::string& name = "Layout 1");
    FakeStyle& addStyle(const std::string& name, uint32_t type, bool isDefault = false);
    FakeStyle* style(const std::string& name);

    FakeDocument document;
    std::vector<FakeLayout> layouts; // layout ids are indices
    std::vector<std::unique_ptr<FakeStyle>> styles;
    int32_t frontLayout = 0;
    bool hasPdfService = true;
    uint8_t exportFlag = 0;
    std::vector<uint8_t> flagWrites;
    uint8_t outputSettingsByte0 = 0;
    std::vector<int32_t> errorAlerts;

    // Output: what each export saw; the result of the n-th export (default 0).
    std::vector<FakeOutput> outputs;
    std::map<int, int32_t> exportResults;
    bool writeFiles = true;

    // A print by the user: the same hooks, not started by the plug-in.
    FakeOutput print(const std::string& styleName, int32_t first, int32_t last);

    // Runs one output through the hooks (message 681, then 145, then 155 and 151 per page).
    int32_t runOutput(int32_t layout, uint32_t type, uint32_t options);
    FakeOutput* current = nullptr;
};

extern FakeHost* gFakeHost;
