// Document data: plug-in byte blocks of documents and layouts, the changed mark, names.
#include "plugins/handles.h"
#include "plugins/plugin_host.h"

namespace refhost {

namespace {

int32_t readData(const DataBlocks* data, uint32_t owner, KxhBlock* block) {
    if (!block) return KXH_ERR_PARAM;
    *block = nullptr;
    if (!data) return KXH_NONE;
    auto found = data->find(owner);
    if (found == data->end()) return KXH_NONE;
    *block = newBlockFrom(found->second.data(), found->second.size());
    return *block ? KXH_OK : KXH_ERR_MEMORY;
}

int32_t storeData(DataBlocks* data, uint32_t owner, KxhBlock block) {
    if (!data) return KXH_NONE;
    if (!block) {
        data->erase(owner);
        return KXH_OK;
    }
    if (!isLiveBlock(block)) return KXH_ERR_PARAM;
    try {
        (*data)[owner] = block->bytes;
    } catch (...) {
        return KXH_ERR_MEMORY;
    }
    return KXH_OK;
}

DataBlocks* documentData(int32_t document) {
    Document* doc = findOpenDocument(document);
    return doc ? &doc->data : nullptr;
}

DataBlocks* layoutData(int32_t layout) {
    Layout* found = findOpenLayout(layout);
    return found ? &found->data : nullptr;
}

int32_t KXH_CALL getDocumentData(int32_t document, uint32_t owner, KxhBlock* block) {
    return readData(documentData(document), owner, block);
}

int32_t KXH_CALL setDocumentData(int32_t document, uint32_t owner, KxhBlock block) {
    return storeData(documentData(document), owner, block);
}

int32_t KXH_CALL getLayoutData(int32_t layout, uint32_t owner, KxhBlock* block) {
    return readData(layoutData(layout), owner, block);
}

int32_t KXH_CALL setLayoutData(int32_t layout, uint32_t owner, KxhBlock block) {
    return storeData(layoutData(layout), owner, block);
}

int32_t KXH_CALL markChanged(int32_t document, int32_t /*kind*/) {
    Document* doc = findOpenDocument(document);
    if (!doc) return KXH_NONE;
    doc->changed = true;
    return KXH_OK;
}

int32_t KXH_CALL isChanged(int32_t document) {
    Document* doc = findOpenDocument(document);
    return doc ? (doc->changed ? 1 : 0) : KXH_NONE;
}

// A name of something that may not exist: its text, or an empty text and "none".
int32_t copyNameOut(const std::string* text, char* buf, uint32_t bufSize) {
    if (!text) {
        copyOut("", buf, bufSize);
        return KXH_NONE;
    }
    return copyOut(*text, buf, bufSize);
}

int32_t KXH_CALL documentPath(int32_t document, char* buf, uint32_t bufSize) {
    Document* doc = findOpenDocument(document);
    return copyNameOut(doc ? &doc->path : nullptr, buf, bufSize);
}

int32_t KXH_CALL projectName(int32_t document, char* buf, uint32_t bufSize) {
    Document* doc = findOpenDocument(document);
    return copyNameOut(doc ? &doc->name : nullptr, buf, bufSize);
}

int32_t KXH_CALL layoutName(int32_t layout, char* buf, uint32_t bufSize) {
    Layout* found = findOpenLayout(layout);
    return copyNameOut(found ? &found->name : nullptr, buf, bufSize);
}

} // namespace

void fillDocDataTable(KxhDocDataTable& table) {
    table.getDocumentData = getDocumentData;
    table.setDocumentData = setDocumentData;
    table.getLayoutData = getLayoutData;
    table.setLayoutData = setLayoutData;
    table.markChanged = markChanged;
    table.isChanged = isChanged;
    table.documentPath = documentPath;
    table.projectName = projectName;
    table.layoutName = layoutName;
}

} // namespace refhost
