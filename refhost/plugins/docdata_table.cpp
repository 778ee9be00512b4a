// Document data: plug-in byte blocks of documents and layouts, the changed mark, names.
#include "plugins/handles.h"
#include "plugins/plugin_host.h"

#include <algorithm>

namespace refhost {

namespace {

// The blocks of a document or layout, and the entries of its file that the host kept unread.
struct DataPlace {
    DataBlocks* blocks = nullptr;
    const KeptData* kept = nullptr;
};

int32_t readData(DataPlace place, uint32_t owner, KxhBlock* block) {
    if (!block) return KXH_ERR_PARAM;
    *block = nullptr;
    if (!place.blocks) return KXH_NONE;
    auto found = place.blocks->find(owner);
    if (found == place.blocks->end()) return KXH_NONE;
    *block = newBlockFrom(found->second.data(), found->second.size());
    return *block ? KXH_OK : KXH_ERR_MEMORY;
}

int32_t storeData(DataPlace place, uint32_t owner, KxhBlock block) {
    if (!place.blocks) return KXH_NONE;
    // The file holds this owner's data in a form the host could not read: replacing or removing
    // it would lose it, so it stays as the file has it.
    const auto& kept = place.kept->owners;
    if (std::find(kept.begin(), kept.end(), owner) != kept.end()) return KXH_ERR_NOT_NOW;
    if (!block) {
        place.blocks->erase(owner);
        return KXH_OK;
    }
    if (!isLiveBlock(block)) return KXH_ERR_PARAM;
    try {
        (*place.blocks)[owner] = block->bytes;
    } catch (...) {
        return KXH_ERR_MEMORY;
    }
    return KXH_OK;
}

DataPlace documentData(int32_t document) {
    Document* doc = findOpenDocument(document);
    return doc ? DataPlace{&doc->data, &doc->keptData} : DataPlace{};
}

DataPlace layoutData(int32_t layout) {
    Layout* found = findOpenLayout(layout);
    return found ? DataPlace{&found->data, &found->keptData} : DataPlace{};
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
