// The optional services this host offers: PDF export flag, bleed, box names, print.
#include "output/distiller.h"
#include "plugins/handles.h"
#include "plugins/plugin_host.h"

#include <cstdio>
#include <cstring>

namespace refhost {

namespace {

int32_t KXH_CALL getExportFlag(uint8_t* value) {
    if (!value) return KXH_ERR_PARAM;
    *value = hostSettings().pdfOpenAfterExport ? 1 : 0;
    return KXH_OK;
}

int32_t KXH_CALL setExportFlag(uint8_t value) {
    HostSettings& settings = hostSettings();
    if (settings.pdfOpenAfterExport != (value != 0)) {
        settings.pdfOpenAfterExport = value != 0;
        settings.changed = true;
        std::string error;
        if (!saveSettingsIfChanged(settings, &error))
            std::fprintf(stderr, "settings: %s\n", error.c_str());
    }
    return KXH_OK;
}

int32_t KXH_CALL styleBleedOf(KxhStyle handle, KxhFixed* bleed) {
    OutputStyle* style = findStyleHandle(handle);
    if (!style || !bleed) return KXH_NONE;
    *bleed = toFixed(styleBleed(*style));
    return KXH_OK;
}

int32_t KXH_CALL getBoxName(KxhItem handle, char* buf, uint32_t bufSize) {
    ItemPlace place = findItemHandle(handle);
    if (!place.item) {
        copyOut("", buf, bufSize);
        return KXH_NONE;
    }
    return copyOut(place.item->name, buf, bufSize);
}

int32_t KXH_CALL setBoxName(KxhItem handle, const char* name) {
    ItemPlace place = findItemHandle(handle);
    if (!place.item || !name) return KXH_NONE;
    place.item->name = name;
    place.document->changed = true;
    return KXH_OK;
}

int32_t KXH_CALL printDistillerPath(char* buf, uint32_t bufSize) {
    const std::string path = distillerPath();
    if (path.empty()) {
        copyOut("", buf, bufSize);
        return KXH_NONE;
    }
    return copyOut(path, buf, bufSize);
}

struct Service {
    uint32_t code;
    uint32_t id;
    void (*fill)(void* dest, size_t room);
};

// Copies the host's service table into the caller's, as far as its size reaches.
template <typename Table> void copyTable(const Table& full, void* dest, size_t room) {
    const size_t n = room < sizeof full ? room : sizeof full;
    std::memcpy(static_cast<char*>(dest) + sizeof(KxhHeader),
                reinterpret_cast<const char*>(&full) + sizeof(KxhHeader),
                n > sizeof(KxhHeader) ? n - sizeof(KxhHeader) : 0);
}

void fillPdf(void* dest, size_t room) {
    KxhPdfService s = {sizeof s, KXH_TABLE_VERSION, getExportFlag, setExportFlag};
    copyTable(s, dest, room);
}
void fillBleed(void* dest, size_t room) {
    KxhBleedService s = {sizeof s, KXH_TABLE_VERSION, styleBleedOf};
    copyTable(s, dest, room);
}
void fillBoxNames(void* dest, size_t room) {
    KxhBoxNameService s = {sizeof s, KXH_TABLE_VERSION, getBoxName, setBoxName};
    copyTable(s, dest, room);
}
void fillPrint(void* dest, size_t room) {
    KxhPrintService s = {sizeof s, KXH_TABLE_VERSION, printDistillerPath};
    copyTable(s, dest, room);
}

const Service kServices[] = {
    {KXH_SERVICE_PDF, 1, fillPdf},
    {KXH_SERVICE_BLEED, 2, fillBleed},
    {KXH_SERVICE_BOXNAME, 3, fillBoxNames},
    {KXH_SERVICE_PRINT, 4, fillPrint},
};

const Service* serviceByCode(uint32_t code) {
    for (const Service& s : kServices)
        if (s.code == code) return &s;
    return nullptr;
}

} // namespace

int32_t KXH_CALL queryHostService(uint32_t code) {
    return serviceByCode(code) ? KXH_OK : KXH_ERR_NO_SERVICE;
}

int32_t KXH_CALL hostServiceIdentifier(uint32_t code, uint32_t* id) {
    const Service* s = serviceByCode(code);
    if (!s || !id) return KXH_ERR_NO_SERVICE;
    *id = s->id;
    return KXH_OK;
}

int32_t KXH_CALL hostServiceTable(uint32_t id, void* dest) {
    if (!dest || static_cast<KxhHeader*>(dest)->size < sizeof(KxhHeader)) return KXH_ERR_PARAM;
    for (const Service& s : kServices) {
        if (s.id == id) {
            auto* header = static_cast<KxhHeader*>(dest);
            s.fill(dest, header->size);
            header->version = KXH_TABLE_VERSION;
            return KXH_OK;
        }
    }
    return KXH_ERR_NO_SERVICE;
}

} // namespace refhost
