#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "kxh_api.h"

// A small host behind real host tables: layouts with named pages and spreads, one document,
// output styles with keyed data, and an output that runs the plug-in's hooks in the order
// kxh_messages.h gives (set-up, start, layout output, header, then per page or spread the boxes
// before the marks) and writes what they hand it into the output file.

struct FakeLayout {
    std::string name = "Layout 1";
    std::vector<std::string> pageNames;    // displayed names, page 1 first
    std::vector<std::vector<int>> spreads; // empty: one page per spread
    KxhFixed width = 612 * 65536, height = 792 * 65536;
    bool hasData = false;
    std::vector<uint8_t> data; // Kestrix's layout block
    int storeResult = 0;
};

// Values of a container by path ("FWiz/Sep" -> "_"); a path ending in "/" marks a dictionary.
typedef std::map<std::string, std::string> FakeEntries;

struct FakeStyle {
    std::string name;
    uint32_t type = KXH_TYPE_PDF;
    bool isDefault = false;
    std::map<uint32_t, FakeEntries> containers;
    int applyResult = 0;
};

struct FakeOutput {
    int32_t first = 0, last = 0;
    uint32_t type = 0, options = 0;
    std::string file, style, postscript;
    std::string suppressed; // names of the items suppressed while it ran, in item order
    bool clipped = false;
    KxhRect clip{};
};

// An item of the front layout; rectangles in the coordinates of its spread.
struct FakeItem {
    std::string name;
    int32_t kind = KXH_ITEM_BOX;
    int32_t page = 1;
    KxhRect bounds{};
    bool suppress = false;
    bool overflows = false; // a text box whose last line record says so
};

struct FakeHost {
    FakeHost(); // installs the tables for the export engine
    ~FakeHost();
    FakeLayout& addLayout(int pages);
    FakeStyle& addStyle(const std::string& name, uint32_t type, bool isDefault = false);
    FakeStyle* style(const std::string& name);
    // One output through the hooks: set-up, start, layout output, header, then the page hooks
    // once per page or spread.
    int32_t runOutput(FakeOutput& out, int32_t layout);
    // The plug-in's handler of the layout-output message, when a test installs one.
    std::function<void(int32_t layout)> layoutOutput;

    std::vector<FakeLayout> layouts; // ids are indices
    int32_t frontLayout = 0;
    std::string documentPath, projectName = "Catalog.lyt";
    int changeMarks = 0;
    std::vector<std::unique_ptr<FakeStyle>> styles;
    uint8_t exportFlag = 0, settingsByte0 = 0;
    std::vector<uint8_t> flagWrites;
    std::vector<int32_t> errorAlerts;
    std::vector<FakeOutput> outputs;   // one per export the plug-in asked for
    std::map<size_t, int32_t> results; // result of the n-th export (from 1); default 0
    bool writeFiles = true;
    std::vector<FakeItem> items; // of the front layout, in the host's order
    int32_t selected = -1;       // index into items
    KxhItem itemHandle(const std::string& name) const;
};

extern FakeHost* gFakeHost;
