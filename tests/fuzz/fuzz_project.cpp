// The reference host's project reader on arbitrary text. A project it refuses comes with a
// reason; one it takes is written out and read back to the same text, and what the host asks
// of it during an export (page names, spreads, items, text fitting) stays in the layout's range.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_require.h"
#include "model/document.h"
#include "model/project_file.h"
#include "model/text_layout.h"

using namespace refhost;

static const long kMaxPages = 200;

static void checkPage(const Layout& layout, int page) {
    std::string name = pageName(layout, page);
    REQUIRE(!name.empty());
    // Sections may repeat names; the first page of a name must carry that name.
    int first = pageFromName(layout, name);
    REQUIRE(first >= 1 && first <= page && pageName(layout, first) == name);
    int spread = spreadOfPage(layout, page);
    REQUIRE(spread >= 1 && spread <= spreadCount(layout));
    const std::vector<int>* pages = pagesOfSpread(layout, spread);
    REQUIRE(pages && std::find(pages->begin(), pages->end(), page) != pages->end());
}

static void checkItems(const std::vector<std::unique_ptr<Item>>& items, const Layout& layout) {
    for (const auto& item : items) {
        REQUIRE(item->page >= 1 && item->page <= layout.pageCount);
        if (item->type == ItemType::Text) {
            TextLayoutResult fit = layoutText(*item);
            REQUIRE(fit.fittedUnits <= item->text.size());
            for (const TextLine& line : fit.lines)
                REQUIRE(line.start + line.length <= item->text.size());
        }
        checkItems(item->members, layout);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    std::unique_ptr<Document> doc = parseProject(text, "fuzz.lyt", &error);
    if (!doc) {
        REQUIRE(error.rfind("fuzz.lyt: ", 0) == 0 && error.size() > 10);
        return 0;
    }
    // Thousands of pages make the round trip below cost up to a second a run (a spread each,
    // written and read twice) and reach nothing a few pages do not: such inputs are kept out
    // of the corpus, or the runs slow down until ten million no longer fit the time.
    long pages = 0;
    for (const auto& layout : doc->layouts)
        pages += layout->pageCount;
    if (pages > kMaxPages) return -1;

    const std::string written = projectToJson(*doc);
    std::unique_ptr<Document> again = parseProject(written, "again.lyt", &error);
    REQUIRE(again != nullptr);
    REQUIRE(projectToJson(*again) == written);

    for (auto& layout : doc->layouts) {
        // The first and last pages: a layout of 9999 pages need not cost 9999 checks each run.
        int count = layout->pageCount;
        for (int page = 1; page <= count; page = page == 40 && count > 80 ? count - 39 : page + 1)
            checkPage(*layout, page);
        REQUIRE(pageName(*layout, 0).empty() && pageName(*layout, count + 1).empty());
        REQUIRE(spreadOfPage(*layout, count + 1) == -1);
        int spreads = spreadCount(*layout);
        size_t listed = 0;
        for (int spread : {1, spreads})
            for (Item* item : itemsOfSpread(*layout, spread)) {
                REQUIRE(spreadOfPage(*layout, item->page) == spread);
                listed++;
            }
        REQUIRE(listed <= layout->items.size() * 2);
        checkItems(layout->items, *layout);
    }
    return 0;
}
