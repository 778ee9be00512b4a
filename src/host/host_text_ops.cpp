#include "host/host_text_ops.h"

#include "export/export_host.h"
#include "foundation/widestring.h"
#include "host/host_tables.h"

namespace {

static_assert(sizeof(WideChar) == sizeof(KxhUnit), "host texts hold UTF-16 units");

const KxhStringTable& strings() {
    return hostTables().string;
}

int32_t textLength(HostText text) {
    return strings().textLength ? strings().textLength(static_cast<KxhText>(text)) : 0;
}

void copyChars(HostText text, WideChar* dest, int32_t units) {
    if (strings().copyUnits)
        strings().copyUnits(static_cast<KxhText>(text), reinterpret_cast<KxhUnit*>(dest), units);
}

HostText createText(const WideChar* text, int32_t units) {
    if (!strings().newText) return nullptr;
    return strings().newText(reinterpret_cast<const KxhUnit*>(text), units);
}

void releaseText(HostText text) {
    if (strings().releaseText) strings().releaseText(static_cast<KxhText>(text));
}

const HostTextOps kTextOps = {textLength, copyChars, createText, releaseText};

} // namespace

void installHostTables() {
    HostTables& t = hostTables();
    setHostTextOps(&kTextOps);
    ExportHostTables exportTables = {};
    exportTables.app = &t.app;
    exportTables.layout = &t.layout;
    exportTables.docData = &t.docData;
    exportTables.output = &t.output;
    exportTables.style = &t.style;
    exportTables.geometry = &t.geometry;
    exportTables.memory = &t.memory;
    exportTables.pdf = &t.pdf;
    exportTables.text = &t.text;
    exportTables.boxNames = &t.boxNames;
    setExportHostTables(exportTables);
}
