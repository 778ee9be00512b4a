#include "export/export_host.h"

#include <cstddef>
#include <cstring>

#include "export/text_fields.h"

static ExportHostTables gHost{};

void setExportHostTables(const ExportHostTables& tables) {
    gHost = tables;
}

// A slot is usable when its table is there and the host filled it.
#define HOST(table, fn) (gHost.table && gHost.table->fn)

static void clearText(char* text, size_t size) {
    if (text && size) text[0] = 0;
}

// Host texts arrive cut when they do not fit; these callers want all or nothing.
static bool wholeText(int32_t result, char* text, size_t size) {
    if (result == KXH_OK) return true;
    clearText(text, size);
    return false;
}

static uint32_t bufferSize(size_t size) {
    return size > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(size);
}

int32_t hostCurrentLayout() {
    return HOST(app, currentLayout) ? gHost.app->currentLayout() : -1;
}

int32_t hostPageCount(int32_t layout) {
    return HOST(layout, pageCount) ? gHost.layout->pageCount(layout) : 0;
}

int16_t hostCurrentPage(int32_t layout) {
    int32_t page = HOST(app, currentPage) ? gHost.app->currentPage(layout) : -1;
    return static_cast<int16_t>(page > INT16_MAX ? INT16_MAX : page);
}

ItemHandle hostCurrentItem(int32_t layout) {
    return HOST(layout, selectedItem) ? gHost.layout->selectedItem(layout) : nullptr;
}

void hostPageName(int32_t layout, int32_t page, char* name, size_t size) {
    clearText(name, size);
    if (HOST(layout, pageName) && size)
        gHost.layout->pageName(layout, page, name, bufferSize(size));
}

int32_t hostPageOfName(int32_t layout, const char* name) {
    return HOST(layout, pageOfName) ? gHost.layout->pageOfName(layout, name) : -1;
}

int32_t hostSpreadPages(int32_t layout, int32_t page, int32_t* pages, int32_t max) {
    if (!HOST(layout, spreadOfPage) || !HOST(layout, pagesOfSpread) || max <= 0) return 0;
    int32_t spread = gHost.layout->spreadOfPage(layout, page);
    if (spread < 1) return 0;
    int16_t buffer[64];
    int32_t count = gHost.layout->pagesOfSpread(layout, spread, buffer, 64);
    if (count <= 0) return 0;
    if (count > 64) {
        // A wide spread: ask again with room for all of it.
        int16_t* all = new int16_t[static_cast<size_t>(count)];
        int32_t again = gHost.layout->pagesOfSpread(layout, spread, all, count);
        for (int32_t i = 0; i < max && i < again && i < count; i++)
            pages[i] = all[i];
        delete[] all;
        return count;
    }
    for (int32_t i = 0; i < max && i < count; i++)
        pages[i] = buffer[i];
    return count;
}

void hostPageSize(int32_t layout, Fixed* width, Fixed* height) {
    *width = *height = 0;
    if (HOST(layout, pageSize) && gHost.layout->pageSize(layout, width, height) != KXH_OK)
        *width = *height = 0;
}

FixedRect hostPageRectInSpread(int32_t layout, int32_t page) {
    FixedRect rect{};
    if (HOST(layout, pageRect) && gHost.layout->pageRect(layout, page, &rect) != KXH_OK)
        rect = FixedRect{};
    if (HOST(geometry, scaleRect)) gHost.geometry->scaleRect(&rect, KXH_FIXED_ONE, KXH_FIXED_ONE);
    return rect;
}

int32_t hostSpreadCount(int32_t layout) {
    int32_t count = HOST(layout, spreadCount) ? gHost.layout->spreadCount(layout) : 0;
    return count > 0 ? count : 0;
}

int32_t hostSpreadOfPage(int32_t layout, int32_t page) {
    return HOST(layout, spreadOfPage) ? gHost.layout->spreadOfPage(layout, page) : -1;
}

ItemHandle hostFirstItem(int32_t layout, int32_t spread) {
    return HOST(layout, firstItem) ? gHost.layout->firstItem(layout, spread) : nullptr;
}

ItemHandle hostNextItem(ItemHandle item) {
    return HOST(layout, nextItem) && item ? gHost.layout->nextItem(item) : nullptr;
}

int32_t hostItemKind(ItemHandle item) {
    return HOST(layout, itemKind) && item ? gHost.layout->itemKind(item) : 0;
}

int32_t hostMemberCount(ItemHandle group) {
    return HOST(layout, memberCount) && group ? gHost.layout->memberCount(group) : 0;
}

ItemHandle hostMemberAt(ItemHandle group, int32_t index) {
    return HOST(layout, memberAt) && group ? gHost.layout->memberAt(group, index) : nullptr;
}

bool hostItemBounds(ItemHandle item, FixedRect* bounds) {
    *bounds = FixedRect{};
    if (!HOST(layout, itemBounds) || !item) return false;
    if (gHost.layout->itemBounds(item, bounds) == KXH_OK) return true;
    *bounds = FixedRect{};
    return false;
}

int32_t hostItemPage(ItemHandle item) {
    return HOST(layout, itemPage) && item ? gHost.layout->itemPage(item) : -1;
}

void hostItemName(ItemHandle item, char* name, size_t size) {
    clearText(name, size);
    if (!HOST(boxNames, getBoxName) || !item || !size) return;
    if (gHost.boxNames->getBoxName(item, name, bufferSize(size)) == KXH_NONE) clearText(name, size);
    name[size - 1] = 0;
}

int32_t hostSuppressOutput(ItemHandle item) {
    return HOST(layout, suppressOutput) && item ? gHost.layout->suppressOutput(item) : -1;
}

bool hostSetSuppressOutput(ItemHandle item, bool suppress) {
    return HOST(layout, setSuppressOutput) && item &&
           gHost.layout->setSuppressOutput(item, suppress ? 1 : 0) == KXH_OK;
}

void hostSelectAndShow(int32_t layout, ItemHandle item) {
    if (HOST(app, selectAndShowItem) && item) gHost.app->selectAndShowItem(layout, item);
}

bool hostLastLineStatus(ItemHandle box, int32_t* status) {
    *status = 0;
    if (!HOST(text, lineRecords) || !HOST(memory, blockData) || !HOST(memory, blockSize) || !box)
        return false;
    KxhBlock block = gHost.text->lineRecords(box);
    if (!block) return false;
    uint32_t size = gHost.memory->blockSize(block);
    const auto* bytes = static_cast<const uint8_t*>(gHost.memory->blockData(block));
    bool found = bytes && size >= KXH_LINE_RECORD_SIZE;
    if (found) {
        size_t last = (size / KXH_LINE_RECORD_SIZE - 1) * size_t(KXH_LINE_RECORD_SIZE);
        memcpy(status, bytes + last + offsetof(KxhLineRecord, status), sizeof *status);
    }
    if (HOST(memory, releaseBlock)) gHost.memory->releaseBlock(block);
    return found;
}

bool hostRectsIntersect(const FixedRect& a, const FixedRect& b) {
    return HOST(geometry, intersectRects) && gHost.geometry->intersectRects(&a, &b, nullptr) != 0;
}

void hostNormaliseRect(FixedRect* rect) {
    if (HOST(geometry, scaleRect)) gHost.geometry->scaleRect(rect, KXH_FIXED_ONE, KXH_FIXED_ONE);
}

void hostInsetRect(FixedRect* rect, Fixed dx, Fixed dy) {
    if (HOST(geometry, insetRect)) gHost.geometry->insetRect(rect, dx, dy);
}

bool hostClipOutput(KxhOutput output, const FixedRect& rect) {
    if (!HOST(geometry, newRegion) || !HOST(output, setClipRegion)) return false;
    KxhRegion region = gHost.geometry->newRegion(&rect);
    if (!region) return false;
    bool clipped = gHost.output->setClipRegion(output, region) == KXH_OK;
    if (HOST(geometry, releaseRegion)) gHost.geometry->releaseRegion(region);
    return clipped;
}

static int32_t documentOf(int32_t layout) {
    return HOST(app, documentOfLayout) ? gHost.app->documentOfLayout(layout) : -1;
}

bool hostProjectPath(int32_t layout, char* path, size_t size) {
    clearText(path, size);
    if (!HOST(docData, documentPath)) return false;
    return wholeText(gHost.docData->documentPath(documentOf(layout), path, bufferSize(size)), path,
                     size);
}

bool hostProjectName(int32_t layout, char* name, size_t size) {
    clearText(name, size);
    if (!HOST(docData, projectName)) return false;
    return wholeText(gHost.docData->projectName(documentOf(layout), name, bufferSize(size)), name,
                     size);
}

bool hostLayoutName(int32_t layout, char* name, size_t size) {
    clearText(name, size);
    if (!HOST(docData, layoutName)) return false;
    return wholeText(gHost.docData->layoutName(layout, name, bufferSize(size)), name, size);
}

int32_t hostReadLayoutData(int32_t layout, void* data, int32_t size) {
    if (!HOST(docData, getLayoutData) || !HOST(memory, blockData) || !HOST(memory, blockSize))
        return -1;
    KxhBlock block = nullptr;
    if (gHost.docData->getLayoutData(layout, kPluginId, &block) != KXH_OK || !block) return -1;
    uint32_t have = gHost.memory->blockSize(block);
    int32_t copied = have < static_cast<uint32_t>(size) ? static_cast<int32_t>(have) : size;
    if (copied > 0) memcpy(data, gHost.memory->blockData(block), static_cast<size_t>(copied));
    if (HOST(memory, releaseBlock)) gHost.memory->releaseBlock(block);
    return copied;
}

int32_t hostStoreLayoutData(int32_t layout, const void* data, int32_t size) {
    if (!HOST(docData, setLayoutData) || !HOST(memory, newBlock) || !HOST(memory, blockData))
        return KXH_ERR_PARAM;
    KxhBlock block = gHost.memory->newBlock(static_cast<uint32_t>(size));
    if (!block) return KXH_ERR_MEMORY;
    if (size > 0) memcpy(gHost.memory->blockData(block), data, static_cast<size_t>(size));
    int32_t result = gHost.docData->setLayoutData(layout, kPluginId, block);
    if (HOST(memory, releaseBlock)) gHost.memory->releaseBlock(block);
    return result;
}

void hostMarkLayoutChanged(int32_t layout) {
    if (HOST(docData, markChanged))
        gHost.docData->markChanged(documentOf(layout), KXH_CHANGE_CONTENT);
}

void hostShowError(int32_t code) {
    if (HOST(app, errorAlert)) gHost.app->errorAlert(code);
}

int32_t hostDocumentOfLayout(int32_t layout) {
    return documentOf(layout);
}

int32_t hostReadDocumentData(int32_t document, std::string* bytes) {
    bytes->clear();
    if (!HOST(docData, getDocumentData) || !HOST(memory, blockData) || !HOST(memory, blockSize) ||
        !HOST(memory, releaseBlock))
        return KXH_ERR_PARAM;
    KxhBlock block = nullptr;
    int32_t result = gHost.docData->getDocumentData(document, kPluginId, &block);
    if (!block) return result == KXH_OK ? KXH_NONE : result;
    if (result == KXH_OK)
        bytes->assign(static_cast<const char*>(gHost.memory->blockData(block)),
                      gHost.memory->blockSize(block));
    gHost.memory->releaseBlock(block);
    return result;
}

int32_t hostStoreDocumentData(int32_t document, const void* data, size_t size) {
    if (!HOST(docData, setDocumentData)) return KXH_ERR_PARAM;
    if (!data) return gHost.docData->setDocumentData(document, kPluginId, nullptr);
    if (!HOST(memory, newBlock) || !HOST(memory, blockData) || !HOST(memory, releaseBlock))
        return KXH_ERR_PARAM;
    // The block has no size limit of its own, but its size must still be counted in 32 bits.
    if (size > UINT32_MAX) return KXH_ERR_MEMORY;
    KxhBlock block = gHost.memory->newBlock(static_cast<uint32_t>(size));
    if (!block) return KXH_ERR_MEMORY;
    if (size > 0) memcpy(gHost.memory->blockData(block), data, size);
    int32_t result = gHost.docData->setDocumentData(document, kPluginId, block);
    gHost.memory->releaseBlock(block);
    return result;
}

void hostMarkDocumentChanged(int32_t document) {
    if (HOST(docData, markChanged)) gHost.docData->markChanged(document, KXH_CHANGE_CONTENT);
}

bool hostExportFlag(bool* value) {
    *value = false;
    uint8_t flag = 0;
    if (!HOST(pdf, getExportFlag) || !HOST(pdf, setExportFlag) ||
        gHost.pdf->getExportFlag(&flag) != KXH_OK)
        return false;
    *value = flag != 0;
    return true;
}

void hostSetExportFlag(bool value) {
    if (HOST(pdf, setExportFlag)) gHost.pdf->setExportFlag(value ? 1 : 0);
}

int32_t hostExportLayout(int32_t layout, uint32_t styleType) {
    if (!HOST(output, exportLayout)) return KXH_OUTPUT_NO_LAYOUT;
    return gHost.output->exportLayout(layout, styleType, KXH_EXPORT_QUIET);
}

int32_t hostOutputLayout(KxhOutput output) {
    return HOST(output, outputLayout) ? gHost.output->outputLayout(output) : -1;
}

void hostSetOutputPageRange(KxhOutput output, int32_t first, int32_t last) {
    if (HOST(output, setPageRange)) gHost.output->setPageRange(output, first, last);
}

void hostSetOutputFile(KxhOutput output, const char* path) {
    if (HOST(output, setOutputFile)) gHost.output->setOutputFile(output, path);
}

int32_t hostApplyStyleToOutput(KxhOutput output, StyleHandle style) {
    if (!HOST(style, applyStyle)) return KXH_ERR_PARAM;
    return gHost.style->applyStyle(output, style);
}

void hostOutputSettings(KxhOutput output, uint8_t* record, size_t size) {
    if (HOST(output, getOutputSettings))
        gHost.output->getOutputSettings(output, record, bufferSize(size));
}

void hostWriteToStream(KxhOutput output, const char* text, size_t length) {
    if (HOST(output, writePostScript))
        gHost.output->writePostScript(output, text, bufferSize(length));
}

StyleHandle hostFindStyle(const char* name) {
    return HOST(style, findStyle) ? gHost.style->findStyle(name) : nullptr;
}

uint32_t hostStyleType(StyleHandle style) {
    return HOST(style, styleType) ? gHost.style->styleType(style) : 0;
}

StyleHandle hostDefaultStyle(uint32_t type) {
    return HOST(style, defaultStyle) ? gHost.style->defaultStyle(type) : nullptr;
}

int32_t hostStyleCount() {
    return HOST(style, styleCount) ? gHost.style->styleCount() : 0;
}

StyleHandle hostStyleAt(int32_t index) {
    return HOST(style, styleAt) ? gHost.style->styleAt(index) : nullptr;
}

void hostStyleName(StyleHandle style, char* name, size_t size) {
    clearText(name, size);
    if (HOST(style, styleName) && size) gHost.style->styleName(style, name, bufferSize(size));
}

static bool haveContainers() {
    return HOST(style, getContainer) && HOST(style, releaseContainer) && HOST(style, rootDict) &&
           HOST(style, subDict);
}

bool hostStyleHasContainer(StyleHandle style, uint32_t owner) {
    if (!haveContainers() || !style) return false;
    KxhContainer container = gHost.style->getContainer(style, owner, 0);
    gHost.style->releaseContainer(container);
    return container != nullptr;
}

bool hostStyleValue(StyleHandle style, uint32_t owner, const char* const* path, int32_t depth,
                    char* value, size_t size, bool* cut) {
    clearText(value, size);
    if (cut) *cut = false;
    if (!haveContainers() || !HOST(style, getValue) || !style || depth < 1 || size == 0)
        return false;
    KxhContainer container = gHost.style->getContainer(style, owner, 0);
    if (!container) return false;
    KxhDict dict = gHost.style->rootDict(container);
    for (int32_t i = 0; dict && i < depth - 1; i++)
        dict = gHost.style->subDict(dict, path[i], 0);
    bool found = false;
    if (dict) {
        int32_t result = gHost.style->getValue(dict, path[depth - 1], value, bufferSize(size));
        found = result == KXH_OK;
        if (cut) *cut = result == KXH_TRUNCATED;
        if (result != KXH_OK && result != KXH_TRUNCATED) clearText(value, size);
    }
    gHost.style->releaseContainer(container);
    return found;
}

bool hostWriteStyleValues(StyleHandle style, uint32_t owner, const char* dictionary,
                          const StyleValue* values, int32_t count) {
    if (!haveContainers() || !HOST(style, setValue) || !HOST(style, putContainer) || !style)
        return false;
    KxhContainer container = gHost.style->getContainer(style, owner, 1);
    if (!container) return false;
    KxhDict dict = gHost.style->subDict(gHost.style->rootDict(container), dictionary, 1);
    bool ok = dict != nullptr;
    for (int32_t i = 0; ok && i < count; i++)
        ok = gHost.style->setValue(dict, values[i].key, values[i].value) == KXH_OK;
    if (ok) ok = gHost.style->putContainer(style, owner, container) == KXH_OK;
    gHost.style->releaseContainer(container);
    return ok;
}

bool hostReplaceText(ItemHandle box, const KxhUnit* text, int32_t length) {
    if (!HOST(text, textLength) || !HOST(text, deleteText) || !HOST(text, insertText)) return false;
    int32_t old = gHost.text->textLength(box);
    if (old < 0) return false;
    if (old > 0 && gHost.text->deleteText(box, 0, old) != KXH_OK) return false;
    return gHost.text->insertText(box, 0, text, length) == KXH_OK;
}
