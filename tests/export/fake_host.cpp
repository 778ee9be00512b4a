#include "fake_host.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "export/export_host.h"
#include "export/export_run.h"
#include "export/ps_insertions.h"

FakeHost* gFakeHost = nullptr;

namespace {

int32_t putText(const std::string& text, char* buf, uint32_t size) {
    if (!buf || size == 0) return KXH_ERR_PARAM;
    if (text.size() < size) {
        memcpy(buf, text.c_str(), text.size() + 1);
        return KXH_OK;
    }
    size_t n = size - 1;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        n--;
    memcpy(buf, text.data(), n);
    buf[n] = 0;
    return KXH_TRUNCATED;
}

FakeLayout* layoutOf(int32_t id) {
    if (!gFakeHost || id < 0 || id >= static_cast<int32_t>(gFakeHost->layouts.size()))
        return nullptr;
    return &gFakeHost->layouts[static_cast<size_t>(id)];
}

std::vector<std::vector<int>> spreadsOf(const FakeLayout& layout) {
    if (!layout.spreads.empty()) return layout.spreads;
    std::vector<std::vector<int>> single;
    for (size_t p = 1; p <= layout.pageNames.size(); p++)
        single.push_back({static_cast<int>(p)});
    return single;
}

// App
void* KXH_CALL mainWindow() {
    return nullptr;
}
uint32_t KXH_CALL frontWindow() {
    return 1;
}
int32_t KXH_CALL layoutOfWindow(uint32_t) {
    return gFakeHost->frontLayout;
}
int32_t KXH_CALL currentLayout() {
    return layoutOf(gFakeHost->frontLayout) ? gFakeHost->frontLayout : -1;
}
int32_t KXH_CALL documentOfLayout(int32_t layout) {
    return layoutOf(layout) ? 0 : -1;
}
int32_t KXH_CALL currentPage(int32_t layout) {
    FakeLayout* l = layoutOf(layout);
    return l ? l->currentPage : -1;
}
void KXH_CALL errorAlert(int32_t code) {
    gFakeHost->errorAlerts.push_back(code);
}

// Layout
int32_t KXH_CALL pageCount(int32_t layout) {
    FakeLayout* l = layoutOf(layout);
    return l ? static_cast<int32_t>(l->pageNames.size()) : -1;
}
int32_t KXH_CALL spreadOfPage(int32_t layout, int32_t page) {
    FakeLayout* l = layoutOf(layout);
    if (!l) return -1;
    auto spreads = spreadsOf(*l);
    for (size_t s = 0; s < spreads.size(); s++)
        for (int p : spreads[s])
            if (p == page) return static_cast<int32_t>(s + 1);
    return -1;
}
int32_t KXH_CALL pagesOfSpread(int32_t layout, int32_t spread, int16_t* pages, int32_t max) {
    FakeLayout* l = layoutOf(layout);
    if (!l) return -1;
    auto spreads = spreadsOf(*l);
    if (spread < 1 || spread > static_cast<int32_t>(spreads.size())) return -1;
    const auto& list = spreads[static_cast<size_t>(spread - 1)];
    for (int32_t i = 0; i < max && i < static_cast<int32_t>(list.size()); i++)
        pages[i] = static_cast<int16_t>(list[static_cast<size_t>(i)]);
    return static_cast<int32_t>(list.size());
}
int32_t KXH_CALL pageName(int32_t layout, int32_t page, char* buf, uint32_t size) {
    FakeLayout* l = layoutOf(layout);
    if (!l || page < 1 || page > static_cast<int32_t>(l->pageNames.size())) {
        putText("", buf, size);
        return KXH_NONE;
    }
    return putText(l->pageNames[static_cast<size_t>(page - 1)], buf, size);
}
int32_t KXH_CALL pageOfName(int32_t layout, const char* name) {
    FakeLayout* l = layoutOf(layout);
    for (size_t p = 0; l && name && p < l->pageNames.size(); p++)
        if (l->pageNames[p] == name) return static_cast<int32_t>(p + 1);
    return -1;
}
int32_t KXH_CALL pageSize(int32_t layout, KxhFixed* width, KxhFixed* height) {
    FakeLayout* l = layoutOf(layout);
    if (!l) return KXH_NONE;
    *width = l->width;
    *height = l->height;
    return KXH_OK;
}
int32_t KXH_CALL pageRect(int32_t layout, int32_t page, KxhRect* rect) {
    FakeLayout* l = layoutOf(layout);
    int32_t spread = spreadOfPage(layout, page);
    if (!l || spread < 1) return KXH_NONE;
    auto spreads = spreadsOf(*l);
    const auto& list = spreads[static_cast<size_t>(spread - 1)];
    int32_t index = 0;
    while (list[static_cast<size_t>(index)] != page)
        index++;
    *rect = KxhRect{0, index * l->width, l->height, (index + 1) * l->width};
    return KXH_OK;
}
KxhItem KXH_CALL selectedItem(int32_t) {
    return nullptr;
}

// Document data
int32_t KXH_CALL getLayoutData(int32_t layout, uint32_t owner, KxhBlock* block) {
    *block = nullptr;
    FakeLayout* l = layoutOf(layout);
    if (!l || owner != kKestrixOwner || !l->hasData) return KXH_NONE;
    auto* bytes = new std::vector<uint8_t>(l->data);
    *block = reinterpret_cast<KxhBlock>(bytes);
    return KXH_OK;
}
int32_t KXH_CALL setLayoutData(int32_t layout, uint32_t owner, KxhBlock block) {
    FakeLayout* l = layoutOf(layout);
    if (!l || owner != kKestrixOwner) return KXH_NONE;
    if (l->storeResult) return l->storeResult;
    l->hasData = block != nullptr;
    l->data = block ? *reinterpret_cast<std::vector<uint8_t>*>(block) : std::vector<uint8_t>{};
    return KXH_OK;
}
int32_t KXH_CALL markChanged(int32_t document, int32_t) {
    if (document != 0) return KXH_NONE;
    gFakeHost->document.changeMarks++;
    return KXH_OK;
}
int32_t KXH_CALL documentPath(int32_t document, char* buf, uint32_t size) {
    return document == 0 ? putText(gFakeHost->document.path, buf, size) : KXH_NONE;
}
int32_t KXH_CALL projectName(int32_t document, char* buf, uint32_t size) {
    return document == 0 ? putText(gFakeHost->document.name, buf, size) : KXH_NONE;
}
int32_t KXH_CALL layoutName(int32_t layout, char* buf, uint32_t size) {
    FakeLayout* l = layoutOf(layout);
    return l ? putText(l->name, buf, size) : KXH_NONE;
}

// Memory: a block is a heap vector of bytes.
KxhBlock KXH_CALL newBlock(uint32_t size) {
    return reinterpret_cast<KxhBlock>(new std::vector<uint8_t>(size, 0));
}
uint32_t KXH_CALL blockSize(KxhBlock block) {
    return block ? static_cast<uint32_t>(reinterpret_cast<std::vector<uint8_t>*>(block)->size())
                 : 0;
}
void KXH_CALL releaseBlock(KxhBlock block) {
    delete reinterpret_cast<std::vector<uint8_t>*>(block);
}
void* KXH_CALL blockData(KxhBlock block) {
    return block ? reinterpret_cast<std::vector<uint8_t>*>(block)->data() : nullptr;
}

// Geometry
void KXH_CALL scaleRect(KxhRect* rect, KxhFixed sx, KxhFixed sy) {
    if (rect->top > rect->bottom) std::swap(rect->top, rect->bottom);
    if (rect->left > rect->right) std::swap(rect->left, rect->right);
    auto scale = [](KxhFixed v, KxhFixed f) {
        return static_cast<KxhFixed>(static_cast<int64_t>(v) * f / 65536);
    };
    rect->top = scale(rect->top, sy);
    rect->bottom = scale(rect->bottom, sy);
    rect->left = scale(rect->left, sx);
    rect->right = scale(rect->right, sx);
}

// Output
int32_t KXH_CALL exportLayout(int32_t layout, uint32_t type, uint32_t options) {
    return gFakeHost->runOutput(layout, type, options);
}
int32_t KXH_CALL setPageRange(KxhOutput output, int32_t first, int32_t last) {
    auto* out = reinterpret_cast<FakeOutput*>(output);
    out->first = first;
    out->last = last;
    return KXH_OK;
}
int32_t KXH_CALL setOutputFile(KxhOutput output, const char* path) {
    reinterpret_cast<FakeOutput*>(output)->file = path;
    return KXH_OK;
}
int32_t KXH_CALL getOutputSettings(KxhOutput, void* record, uint32_t size) {
    if (size > 0) static_cast<uint8_t*>(record)[0] = gFakeHost->outputSettingsByte0;
    return KXH_OK;
}
int32_t KXH_CALL writePostScript(KxhOutput output, const char* text, uint32_t length) {
    reinterpret_cast<FakeOutput*>(output)->postscript.append(text, length);
    return KXH_OK;
}

// Styles: a container handed out is a copy; a dictionary is (container, path prefix).
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

bool knownStyle(KxhStyle style) {
    for (auto& s : gFakeHost->styles)
        if (reinterpret_cast<KxhStyle>(s.get()) == style) return true;
    return false;
}
FakeStyle* styleOf(KxhStyle style) {
    return knownStyle(style) ? reinterpret_cast<FakeStyle*>(style) : nullptr;
}

KxhStyle KXH_CALL defaultStyle(uint32_t type) {
    for (auto& s : gFakeHost->styles)
        if (s->isDefault && s->type == type) return reinterpret_cast<KxhStyle>(s.get());
    return nullptr;
}
int32_t KXH_CALL styleCount() {
    return static_cast<int32_t>(gFakeHost->styles.size());
}
KxhStyle KXH_CALL styleAt(int32_t index) {
    if (index < 0 || index >= styleCount()) return nullptr;
    return reinterpret_cast<KxhStyle>(gFakeHost->styles[static_cast<size_t>(index)].get());
}
KxhStyle KXH_CALL findStyleByName(const char* name) {
    FakeStyle* s = gFakeHost->style(name ? name : "");
    return reinterpret_cast<KxhStyle>(s);
}
uint32_t KXH_CALL styleType(KxhStyle style) {
    FakeStyle* s = styleOf(style);
    return s ? s->type : KXH_TYPE_NONE;
}
int32_t KXH_CALL styleName(KxhStyle style, char* buf, uint32_t size) {
    FakeStyle* s = styleOf(style);
    return s ? putText(s->name, buf, size) : KXH_NONE;
}
int32_t KXH_CALL applyStyle(KxhOutput output, KxhStyle style) {
    FakeStyle* s = styleOf(style);
    if (!s) return KXH_ERR_PARAM;
    if (s->applyResult) return s->applyResult;
    reinterpret_cast<FakeOutput*>(output)->style = s->name;
    return KXH_OK;
}
KxhContainer KXH_CALL getContainer(KxhStyle style, uint32_t owner, int32_t create) {
    FakeStyle* s = styleOf(style);
    if (!s) return nullptr;
    auto found = s->containers.find(owner);
    if (found == s->containers.end() && !create) return nullptr;
    auto* container = new FakeContainer;
    if (found != s->containers.end()) container->entries = found->second;
    return reinterpret_cast<KxhContainer>(container);
}
int32_t KXH_CALL putContainer(KxhStyle style, uint32_t owner, KxhContainer container) {
    FakeStyle* s = styleOf(style);
    if (!s || !container) return KXH_NONE;
    s->containers[owner] = reinterpret_cast<FakeContainer*>(container)->entries;
    return KXH_OK;
}
void KXH_CALL releaseContainer(KxhContainer container) {
    delete reinterpret_cast<FakeContainer*>(container);
}
KxhDict KXH_CALL rootDict(KxhContainer container) {
    return reinterpret_cast<FakeContainer*>(container)->dict("");
}
KxhDict KXH_CALL subDict(KxhDict dict, const char* key, int32_t create) {
    auto* d = reinterpret_cast<FakeDict*>(dict);
    std::string prefix = d->prefix + key + "/";
    auto& entries = d->container->entries;
    auto it = entries.lower_bound(prefix);
    bool exists = it != entries.end() && it->first.compare(0, prefix.size(), prefix) == 0;
    if (!exists && !create) return nullptr;
    if (!exists) entries[prefix] = "";
    return d->container->dict(prefix);
}
int32_t KXH_CALL getValue(KxhDict dict, const char* key, char* buf, uint32_t size) {
    auto* d = reinterpret_cast<FakeDict*>(dict);
    auto it = d->container->entries.find(d->prefix + key);
    if (it == d->container->entries.end()) {
        putText("", buf, size);
        return KXH_NONE;
    }
    return putText(it->second, buf, size);
}
int32_t KXH_CALL setValue(KxhDict dict, const char* key, const char* value) {
    auto* d = reinterpret_cast<FakeDict*>(dict);
    d->container->entries[d->prefix + key] = value;
    return KXH_OK;
}

// PDF service
int32_t KXH_CALL getExportFlag(uint8_t* value) {
    *value = gFakeHost->exportFlag;
    return KXH_OK;
}
int32_t KXH_CALL setExportFlag(uint8_t value) {
    gFakeHost->exportFlag = value ? 1 : 0;
    gFakeHost->flagWrites.push_back(gFakeHost->exportFlag);
    return KXH_OK;
}

KxhAppTable gApp;
KxhLayoutTable gLayout;
KxhDocDataTable gDocData;
KxhOutputTable gOutput;
KxhStyleTable gStyle;
KxhGeometryTable gGeometry;
KxhMemoryTable gMemory;
KxhPdfService gPdf;

} // namespace

FakeHost::FakeHost() {
    gFakeHost = this;
    gApp = KxhAppTable{sizeof gApp,   KXH_TABLE_VERSION, mainWindow,  frontWindow, layoutOfWindow,
                       currentLayout, documentOfLayout,  currentPage, nullptr,     nullptr,
                       nullptr,       errorAlert,        nullptr};
    gLayout = KxhLayoutTable{};
    gLayout.size = sizeof gLayout;
    gLayout.pageCount = pageCount;
    gLayout.spreadOfPage = spreadOfPage;
    gLayout.pagesOfSpread = pagesOfSpread;
    gLayout.pageName = pageName;
    gLayout.pageOfName = pageOfName;
    gLayout.pageSize = pageSize;
    gLayout.pageRect = pageRect;
    gLayout.selectedItem = selectedItem;
    gDocData = KxhDocDataTable{};
    gDocData.size = sizeof gDocData;
    gDocData.getLayoutData = getLayoutData;
    gDocData.setLayoutData = setLayoutData;
    gDocData.markChanged = markChanged;
    gDocData.documentPath = documentPath;
    gDocData.projectName = projectName;
    gDocData.layoutName = layoutName;
    gOutput = KxhOutputTable{};
    gOutput.size = sizeof gOutput;
    gOutput.exportLayout = exportLayout;
    gOutput.setPageRange = setPageRange;
    gOutput.setOutputFile = setOutputFile;
    gOutput.getOutputSettings = getOutputSettings;
    gOutput.writePostScript = writePostScript;
    gStyle = KxhStyleTable{};
    gStyle.size = sizeof gStyle;
    gStyle.defaultStyle = defaultStyle;
    gStyle.styleCount = styleCount;
    gStyle.styleAt = styleAt;
    gStyle.findStyle = findStyleByName;
    gStyle.styleType = styleType;
    gStyle.styleName = styleName;
    gStyle.applyStyle = applyStyle;
    gStyle.getContainer = getContainer;
    gStyle.putContainer = putContainer;
    gStyle.releaseContainer = releaseContainer;
    gStyle.rootDict = rootDict;
    gStyle.subDict = subDict;
    gStyle.getValue = getValue;
    gStyle.setValue = setValue;
    gGeometry = KxhGeometryTable{};
    gGeometry.size = sizeof gGeometry;
    gGeometry.scaleRect = scaleRect;
    gMemory = KxhMemoryTable{sizeof gMemory, KXH_TABLE_VERSION, newBlock, blockSize,
                             nullptr,        releaseBlock,      blockData};
    gPdf = KxhPdfService{sizeof gPdf, KXH_TABLE_VERSION, getExportFlag, setExportFlag};
    setExportHostTables(
        {&gApp, &gLayout, &gDocData, &gOutput, &gStyle, &gGeometry, &gMemory, &gPdf});
}

FakeHost::~FakeHost() {
    setExportHostTables({});
    gFakeHost = nullptr;
}

FakeLayout& FakeHost::addLayout(int pages, const std::string& name) {
    FakeLayout layout;
    layout.name = name;
    for (int p = 1; p <= pages; p++)
        layout.pageNames.push_back(std::to_string(p));
    layouts.push_back(layout);
    return layouts.back();
}

FakeStyle& FakeHost::addStyle(const std::string& name, uint32_t type, bool isDefault) {
    styles.push_back(std::make_unique<FakeStyle>());
    FakeStyle& s = *styles.back();
    s.name = name;
    s.type = type;
    s.isDefault = isDefault;
    return s;
}

FakeStyle* FakeHost::style(const std::string& name) {
    for (auto& s : styles)
        if (s->name == name) return s.get();
    return nullptr;
}

int32_t FakeHost::runOutput(int32_t layout, uint32_t type, uint32_t options) {
    FakeLayout* l = layoutOf(layout);
    if (!l) return KXH_OUTPUT_NO_LAYOUT;
    outputs.push_back(FakeOutput{});
    FakeOutput& out = outputs.back();
    out.layout = layout;
    out.type = type;
    out.options = options;
    out.first = 1;
    out.last = static_cast<int32_t>(l->pageNames.size());
    KxhOutput handle = reinterpret_cast<KxhOutput>(&out);
    OutputSetupHook(handle);
    HeaderCommentsHook(handle, KXH_HEADER_PHASE_COMMENTS);
    // The page hooks run once per page or spread of the range.
    for (int32_t page = out.first; page >= 1 && page <= out.last;) {
        PageMarksHook(handle);
        PageBoxesHook(handle);
        int16_t pages[64];
        int32_t n = pagesOfSpread(layout, spreadOfPage(layout, page), pages, 64);
        page = n > 0 ? pages[std::min(n, 64) - 1] + 1 : page + 1;
    }
    auto result = exportResults.find(static_cast<int>(outputs.size()));
    if (result != exportResults.end() && result->second != 0) return result->second;
    if (writeFiles && !out.file.empty()) {
        if (FILE* f = fopen(out.file.c_str(), "wb")) {
            fwrite(out.postscript.data(), 1, out.postscript.size(), f);
            fclose(f);
        }
    }
    return KXH_OK;
}

FakeOutput FakeHost::print(const std::string& styleName, int32_t first, int32_t last) {
    FakeOutput out;
    out.first = first;
    out.last = last;
    out.style = styleName;
    KxhOutput handle = reinterpret_cast<KxhOutput>(&out);
    OutputSetupHook(handle);
    HeaderCommentsHook(handle, KXH_HEADER_PHASE_COMMENTS);
    for (int32_t page = first; page <= last; page++) {
        PageMarksHook(handle);
        PageBoxesHook(handle);
    }
    return out;
}
