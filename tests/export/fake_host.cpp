#include "fake_host.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "export/export_host.h"
#include "export/export_run.h"
#include "export/overflow_check.h"
#include "export/ps_insertions.h"

FakeHost* gFakeHost = nullptr;

namespace {

typedef std::vector<uint8_t> Bytes; // a host block

int32_t putText(const std::string& text, char* buf, uint32_t size) {
    size_t n = std::min<size_t>(text.size(), size - 1);
    while (n < text.size() && n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        n--;
    memcpy(buf, text.data(), n);
    buf[n] = 0;
    return n == text.size() ? KXH_OK : KXH_TRUNCATED;
}

FakeLayout* layoutOf(int32_t id) {
    auto& all = gFakeHost->layouts;
    return id >= 0 && id < static_cast<int32_t>(all.size()) ? &all[size_t(id)] : nullptr;
}

std::vector<std::vector<int>> spreadsOf(const FakeLayout& l) {
    if (!l.spreads.empty()) return l.spreads;
    std::vector<std::vector<int>> single;
    for (size_t p = 1; p <= l.pageNames.size(); p++)
        single.push_back({int(p)});
    return single;
}

int32_t KXH_CALL spreadOfPage(int32_t layout, int32_t page) {
    FakeLayout* l = layoutOf(layout);
    auto spreads = l ? spreadsOf(*l) : std::vector<std::vector<int>>{};
    for (size_t s = 0; s < spreads.size(); s++)
        if (std::count(spreads[s].begin(), spreads[s].end(), page)) return int32_t(s + 1);
    return -1;
}

int32_t KXH_CALL pagesOfSpread(int32_t layout, int32_t spread, int16_t* pages, int32_t max) {
    FakeLayout* l = layoutOf(layout);
    auto spreads = l ? spreadsOf(*l) : std::vector<std::vector<int>>{};
    if (spread < 1 || spread > int32_t(spreads.size())) return -1;
    const auto& list = spreads[size_t(spread - 1)];
    for (int32_t i = 0; i < max && i < int32_t(list.size()); i++)
        pages[i] = int16_t(list[size_t(i)]);
    return int32_t(list.size());
}

FakeStyle* styleOf(KxhStyle handle) {
    for (auto& s : gFakeHost->styles)
        if (reinterpret_cast<KxhStyle>(s.get()) == handle) return s.get();
    return nullptr;
}

// A container handed out is a copy; a dictionary is (container, path prefix).
struct FakeContainer;
struct FakeDict {
    FakeContainer* container;
    std::string prefix;
};
struct FakeContainer {
    FakeEntries entries;
    std::vector<std::unique_ptr<FakeDict>> dicts;
    KxhDict dict(const std::string& prefix) {
        dicts.push_back(std::make_unique<FakeDict>(FakeDict{this, prefix}));
        return reinterpret_cast<KxhDict>(dicts.back().get());
    }
};
FakeDict* dictOf(KxhDict d) {
    return reinterpret_cast<FakeDict*>(d);
}
FakeOutput* outputOf(KxhOutput o) {
    return reinterpret_cast<FakeOutput*>(o);
}

// Item handles are the item's index + 1.
FakeItem* itemOf(KxhItem handle) {
    auto index = reinterpret_cast<uintptr_t>(handle);
    auto& items = gFakeHost->items;
    return index >= 1 && index <= items.size() ? &items[index - 1] : nullptr;
}
KxhItem handleOf(size_t index) {
    return reinterpret_cast<KxhItem>(uintptr_t(index + 1));
}
// The first item from `from` on that lies on the spread.
KxhItem itemOnSpread(size_t from, int32_t spread) {
    for (size_t i = from; i < gFakeHost->items.size(); i++)
        if (spreadOfPage(gFakeHost->frontLayout, gFakeHost->items[i].page) == spread)
            return handleOf(i);
    return nullptr;
}

KxhAppTable gApp;
KxhLayoutTable gLayout;
KxhDocDataTable gDocData;
KxhOutputTable gOutput;
KxhStyleTable gStyle;
KxhGeometryTable gGeometry;
KxhTextTable gText;
KxhMemoryTable gMemory;
KxhPdfService gPdf;

void fillTables() {
    gApp = KxhAppTable{};
    gApp.currentLayout = [] {
        return layoutOf(gFakeHost->frontLayout) ? gFakeHost->frontLayout : -1;
    };
    gApp.documentOfLayout = [](int32_t layout) { return layoutOf(layout) ? 0 : -1; };
    gApp.currentPage = [](int32_t layout) { return layoutOf(layout) ? 1 : -1; };
    gApp.errorAlert = [](int32_t code) { gFakeHost->errorAlerts.push_back(code); };
    gApp.selectAndShowItem = [](int32_t, KxhItem item) {
        if (!itemOf(item)) return KXH_NONE;
        return gFakeHost->selected = int32_t(reinterpret_cast<uintptr_t>(item) - 1), KXH_OK;
    };

    gLayout = KxhLayoutTable{};
    gLayout.pageCount = [](int32_t layout) {
        FakeLayout* l = layoutOf(layout);
        return l ? int32_t(l->pageNames.size()) : -1;
    };
    gLayout.spreadOfPage = spreadOfPage;
    gLayout.pagesOfSpread = pagesOfSpread;
    gLayout.pageName = [](int32_t layout, int32_t page, char* buf, uint32_t size) {
        FakeLayout* l = layoutOf(layout);
        if (!l || page < 1 || page > int32_t(l->pageNames.size()))
            return putText("", buf, size), KXH_NONE;
        return putText(l->pageNames[size_t(page - 1)], buf, size);
    };
    gLayout.pageOfName = [](int32_t layout, const char* name) {
        FakeLayout* l = layoutOf(layout);
        for (size_t p = 0; l && p < l->pageNames.size(); p++)
            if (l->pageNames[p] == name) return int32_t(p + 1);
        return -1;
    };
    gLayout.pageSize = [](int32_t layout, KxhFixed* width, KxhFixed* height) {
        FakeLayout* l = layoutOf(layout);
        *width = l ? l->width : 0;
        *height = l ? l->height : 0;
        return l ? KXH_OK : KXH_NONE;
    };
    gLayout.pageRect = [](int32_t layout, int32_t page, KxhRect* rect) {
        FakeLayout* l = layoutOf(layout);
        int16_t pages[64];
        int32_t n = pagesOfSpread(layout, spreadOfPage(layout, page), pages, 64);
        int32_t at = int32_t(std::find(pages, pages + std::max(n, 0), page) - pages);
        if (!l || n < 1) return KXH_NONE;
        // Upside down, as a host may hand it: the plug-in normalises.
        *rect = KxhRect{l->height, (at + 1) * l->width, 0, at * l->width};
        return KXH_OK;
    };

    gLayout.spreadCount = [](int32_t layout) {
        FakeLayout* l = layoutOf(layout);
        return l ? int32_t(spreadsOf(*l).size()) : -1;
    };
    gLayout.selectedItem = [](int32_t) {
        return gFakeHost->selected < 0 ? nullptr : handleOf(size_t(gFakeHost->selected));
    };
    gLayout.firstItem = [](int32_t, int32_t spread) { return itemOnSpread(0, spread); };
    gLayout.nextItem = [](KxhItem item) {
        FakeItem* it = itemOf(item);
        if (!it) return KxhItem(nullptr);
        size_t index = size_t(it - gFakeHost->items.data());
        return itemOnSpread(index + 1, spreadOfPage(gFakeHost->frontLayout, it->page));
    };
    gLayout.itemKind = [](KxhItem item) { return itemOf(item) ? itemOf(item)->kind : 0; };
    gLayout.itemBounds = [](KxhItem item, KxhRect* bounds) {
        if (!itemOf(item)) return KXH_NONE;
        return *bounds = itemOf(item)->bounds, KXH_OK;
    };
    gLayout.itemPage = [](KxhItem item) { return itemOf(item) ? itemOf(item)->page : -1; };
    gLayout.setSuppressOutput = [](KxhItem item, int32_t on) {
        if (!itemOf(item)) return KXH_NONE;
        return itemOf(item)->suppress = on != 0, KXH_OK;
    };
    gLayout.suppressOutput = [](KxhItem item) {
        return itemOf(item) ? int32_t(itemOf(item)->suppress) : -1;
    };

    gText = KxhTextTable{};
    gText.lineRecords = [](KxhItem item) {
        if (!itemOf(item) || itemOf(item)->kind != KXH_ITEM_TEXT) return KxhBlock(nullptr);
        // Two lines; the last one tells whether text is left over.
        auto* block = new Bytes(2 * KXH_LINE_RECORD_SIZE);
        KxhLineRecord last{};
        last.status = itemOf(item)->overflows ? KXH_LINE_OVERFLOW : 0;
        memcpy(block->data() + KXH_LINE_RECORD_SIZE, &last, sizeof last);
        return reinterpret_cast<KxhBlock>(block);
    };

    gDocData = KxhDocDataTable{};
    gDocData.getLayoutData = [](int32_t layout, uint32_t, KxhBlock* block) {
        FakeLayout* l = layoutOf(layout);
        *block = l && l->hasData ? reinterpret_cast<KxhBlock>(new Bytes(l->data)) : nullptr;
        return *block ? KXH_OK : KXH_NONE;
    };
    gDocData.setLayoutData = [](int32_t layout, uint32_t, KxhBlock block) {
        FakeLayout* l = layoutOf(layout);
        if (!l || l->storeResult) return l ? l->storeResult : KXH_NONE;
        l->hasData = block != nullptr;
        l->data = block ? *reinterpret_cast<Bytes*>(block) : Bytes{};
        return KXH_OK;
    };
    gDocData.markChanged = [](int32_t, int32_t) { return gFakeHost->changeMarks++, KXH_OK; };
    gDocData.documentPath = [](int32_t, char* buf, uint32_t size) {
        return putText(gFakeHost->documentPath, buf, size);
    };
    gDocData.projectName = [](int32_t, char* buf, uint32_t size) {
        return putText(gFakeHost->projectName, buf, size);
    };
    gDocData.layoutName = [](int32_t layout, char* buf, uint32_t size) {
        return layoutOf(layout) ? putText(layoutOf(layout)->name, buf, size) : KXH_NONE;
    };

    gMemory = KxhMemoryTable{};
    gMemory.newBlock = [](uint32_t size) { return reinterpret_cast<KxhBlock>(new Bytes(size)); };
    gMemory.blockSize = [](KxhBlock b) { return uint32_t(reinterpret_cast<Bytes*>(b)->size()); };
    gMemory.releaseBlock = [](KxhBlock b) { delete reinterpret_cast<Bytes*>(b); };
    gMemory.blockData = [](KxhBlock b) -> void* { return reinterpret_cast<Bytes*>(b)->data(); };

    gGeometry = KxhGeometryTable{};
    gGeometry.scaleRect = [](KxhRect* r, KxhFixed sx, KxhFixed sy) {
        if (r->top > r->bottom) std::swap(r->top, r->bottom);
        if (r->left > r->right) std::swap(r->left, r->right);
        auto scale = [](KxhFixed v, KxhFixed f) { return KxhFixed(int64_t(v) * f / 65536); };
        *r = KxhRect{scale(r->top, sy), scale(r->left, sx), scale(r->bottom, sy),
                     scale(r->right, sx)};
    };
    gGeometry.insetRect = [](KxhRect* r, KxhFixed dx, KxhFixed dy) {
        *r = KxhRect{r->top + dy, r->left + dx, r->bottom - dy, r->right - dx};
    };
    gGeometry.intersectRects = [](const KxhRect* a, const KxhRect* b, KxhRect*) {
        return int32_t(std::max(a->top, b->top) < std::min(a->bottom, b->bottom) &&
                       std::max(a->left, b->left) < std::min(a->right, b->right));
    };
    gGeometry.newRegion = [](const KxhRect* r) {
        return reinterpret_cast<KxhRegion>(new KxhRect(*r));
    };
    gGeometry.releaseRegion = [](KxhRegion region) { delete reinterpret_cast<KxhRect*>(region); };

    gOutput = KxhOutputTable{};
    gOutput.exportLayout = [](int32_t layout, uint32_t type, uint32_t options) {
        gFakeHost->outputs.push_back(FakeOutput{});
        FakeOutput& out = gFakeHost->outputs.back();
        out.type = type;
        out.options = options;
        return gFakeHost->runOutput(out, layout);
    };
    gOutput.setPageRange = [](KxhOutput o, int32_t first, int32_t last) {
        outputOf(o)->first = first;
        outputOf(o)->last = last;
        return KXH_OK;
    };
    gOutput.setOutputFile = [](KxhOutput o, const char* path) {
        return outputOf(o)->file = path, KXH_OK;
    };
    gOutput.getOutputSettings = [](KxhOutput, void* record, uint32_t) {
        return *static_cast<uint8_t*>(record) = gFakeHost->settingsByte0, KXH_OK;
    };
    gOutput.setClipRegion = [](KxhOutput o, KxhRegion region) {
        outputOf(o)->clipped = region != nullptr;
        if (region) outputOf(o)->clip = *reinterpret_cast<KxhRect*>(region);
        return KXH_OK;
    };
    gOutput.writePostScript = [](KxhOutput o, const char* text, uint32_t length) {
        return outputOf(o)->postscript.append(text, length), KXH_OK;
    };

    gStyle = KxhStyleTable{};
    gStyle.defaultStyle = [](uint32_t type) {
        for (auto& s : gFakeHost->styles)
            if (s->isDefault && s->type == type) return reinterpret_cast<KxhStyle>(s.get());
        return KxhStyle(nullptr);
    };
    gStyle.styleCount = [] { return int32_t(gFakeHost->styles.size()); };
    gStyle.styleAt = [](int32_t i) {
        return reinterpret_cast<KxhStyle>(gFakeHost->styles.at(size_t(i)).get());
    };
    gStyle.findStyle = [](const char* name) {
        return reinterpret_cast<KxhStyle>(gFakeHost->style(name));
    };
    gStyle.styleType = [](KxhStyle s) { return styleOf(s) ? styleOf(s)->type : KXH_TYPE_NONE; };
    gStyle.styleName = [](KxhStyle s, char* buf, uint32_t size) {
        return styleOf(s) ? putText(styleOf(s)->name, buf, size) : KXH_NONE;
    };
    gStyle.applyStyle = [](KxhOutput o, KxhStyle s) {
        if (!styleOf(s) || styleOf(s)->applyResult)
            return styleOf(s) ? styleOf(s)->applyResult : KXH_ERR_PARAM;
        return outputOf(o)->style = styleOf(s)->name, KXH_OK;
    };
    gStyle.getContainer = [](KxhStyle s, uint32_t owner, int32_t create) {
        FakeStyle* style = styleOf(s);
        if (!style || (!style->containers.count(owner) && !create)) return KxhContainer(nullptr);
        auto* container = new FakeContainer;
        if (style->containers.count(owner)) container->entries = style->containers[owner];
        return reinterpret_cast<KxhContainer>(container);
    };
    gStyle.putContainer = [](KxhStyle s, uint32_t owner, KxhContainer c) {
        styleOf(s)->containers[owner] = reinterpret_cast<FakeContainer*>(c)->entries;
        return KXH_OK;
    };
    gStyle.releaseContainer = [](KxhContainer c) { delete reinterpret_cast<FakeContainer*>(c); };
    gStyle.rootDict = [](KxhContainer c) { return reinterpret_cast<FakeContainer*>(c)->dict(""); };
    gStyle.subDict = [](KxhDict d, const char* key, int32_t create) {
        std::string prefix = dictOf(d)->prefix + key + "/";
        FakeEntries& entries = dictOf(d)->container->entries;
        auto it = entries.lower_bound(prefix);
        bool exists = it != entries.end() && it->first.compare(0, prefix.size(), prefix) == 0;
        if (!exists && !create) return KxhDict(nullptr);
        if (!exists) entries[prefix] = "";
        return dictOf(d)->container->dict(prefix);
    };
    gStyle.getValue = [](KxhDict d, const char* key, char* buf, uint32_t size) {
        FakeEntries& entries = dictOf(d)->container->entries;
        auto it = entries.find(dictOf(d)->prefix + key);
        if (it == entries.end()) return putText("", buf, size), KXH_NONE;
        return putText(it->second, buf, size);
    };
    gStyle.setValue = [](KxhDict d, const char* key, const char* value) {
        return dictOf(d)->container->entries[dictOf(d)->prefix + key] = value, KXH_OK;
    };

    gPdf = KxhPdfService{};
    gPdf.getExportFlag = [](uint8_t* value) { return *value = gFakeHost->exportFlag, KXH_OK; };
    gPdf.setExportFlag = [](uint8_t value) {
        gFakeHost->exportFlag = value;
        return gFakeHost->flagWrites.push_back(value), KXH_OK;
    };
}

} // namespace

FakeHost::FakeHost() {
    gFakeHost = this;
    fillTables();
    setExportHostTables({&gApp, &gLayout, &gDocData, &gOutput, &gStyle, &gGeometry, &gMemory, &gPdf,
                         &gText, nullptr});
}

FakeHost::~FakeHost() {
    setExportHostTables({});
    gFakeHost = nullptr;
}

FakeLayout& FakeHost::addLayout(int pages) {
    layouts.emplace_back();
    for (int p = 1; p <= pages; p++)
        layouts.back().pageNames.push_back(std::to_string(p));
    return layouts.back();
}

FakeStyle& FakeHost::addStyle(const std::string& name, uint32_t type, bool isDefault) {
    styles.push_back(std::make_unique<FakeStyle>(FakeStyle{name, type, isDefault, {}, 0}));
    return *styles.back();
}

KxhItem FakeHost::itemHandle(const std::string& name) const {
    for (size_t i = 0; i < items.size(); i++)
        if (items[i].name == name) return handleOf(i);
    return nullptr;
}

FakeStyle* FakeHost::style(const std::string& name) {
    for (auto& s : styles)
        if (s->name == name) return s.get();
    return nullptr;
}

int32_t FakeHost::runOutput(FakeOutput& out, int32_t layout) {
    FakeLayout* l = layoutOf(layout);
    if (!l) return KXH_OUTPUT_NO_LAYOUT;
    out.first = 1;
    out.last = int32_t(l->pageNames.size());
    KxhOutput handle = reinterpret_cast<KxhOutput>(&out);
    OutputSetupHook(handle);
    uint8_t abort = 0;
    OutputStartHook(handle, &abort, {});
    if (abort) return KXH_OUTPUT_ABORTED;
    if (layoutOutput) layoutOutput(layout);
    for (const FakeItem& item : items)
        if (item.suppress) out.suppressed += (out.suppressed.empty() ? "" : " ") + item.name;
    HeaderCommentsHook(handle, KXH_HEADER_PHASE_COMMENTS);
    for (int32_t page = out.first; page >= 1 && page <= out.last;) {
        PageBoxesHook(handle);
        PageMarksHook(handle);
        int16_t pages[64];
        int32_t n = pagesOfSpread(layout, spreadOfPage(layout, page), pages, 64);
        page = n > 0 ? pages[std::min(n, 64) - 1] + 1 : page + 1;
    }
    auto result = results.find(outputs.size());
    if (result != results.end()) return result->second;
    if (FILE* f = writeFiles && !out.file.empty() ? fopen(out.file.c_str(), "wb") : nullptr) {
        fwrite(out.postscript.data(), 1, out.postscript.size(), f);
        fclose(f);
    }
    return KXH_OK;
}
