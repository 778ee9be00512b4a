#include "host/obtain_tables.h"

#include <cstring>

#include "host/host_tables.h"

namespace {

template <typename Table> void prepare(Table& table) {
    std::memset(&table, 0, sizeof table);
    table.size = sizeof table;
}

template <typename Table, size_t N>
int32_t fillFromList(const KxhEntryBlock& entry, uint32_t code, Table& table,
                     const uint64_t (&list)[N]) {
    prepare(table);
    if (!entry.fillTable) return KXH_ERR_UNKNOWN_TABLE;
    return entry.fillTable(code, &table, list, static_cast<uint32_t>(N));
}

template <typename Table>
int32_t fillByCode(const KxhEntryBlock& entry, uint32_t code, Table& table) {
    prepare(table);
    if (!entry.getTable) return KXH_ERR_UNKNOWN_TABLE;
    return entry.getTable(code, &table);
}

const uint64_t kAppList[] = {KXH_LIST_MARKER, KXH_APP_FUNCTIONS};
const uint64_t kMenuList[] = {KXH_LIST_MARKER, KXH_MENU_FUNCTIONS};
const uint64_t kEventList[] = {KXH_LIST_MARKER, KXH_EVENT_FUNCTIONS};
const uint64_t kDocDataList[] = {KXH_LIST_MARKER, KXH_DOCDATA_FUNCTIONS};
const uint64_t kLayoutList[] = {KXH_LIST_MARKER, KXH_LAYOUT_FUNCTIONS};
const uint64_t kTextList[] = {KXH_LIST_MARKER, KXH_TEXT_FUNCTIONS};
const uint64_t kOutputList[] = {KXH_LIST_MARKER, KXH_OUTPUT_FUNCTIONS};
const uint64_t kStyleList[] = {KXH_LIST_MARKER, KXH_STYLE_FUNCTIONS};
const uint64_t kPaneList[] = {KXH_LIST_MARKER, KXH_PANE_FUNCTIONS};
const uint64_t kGeometryList[] = {KXH_LIST_MARKER, KXH_GEOMETRY_FUNCTIONS};
const uint64_t kStringList[] = {KXH_LIST_MARKER, KXH_STRING_FUNCTIONS};

// Presence, identifier, table: the first non-zero answer ends the service's set-up.
template <typename Service>
void presenceFirst(const KxhEntryBlock& entry, uint32_t code, Service& service, uint32_t& id) {
    prepare(service);
    id = 0;
    uint32_t found = 0;
    if (entry.queryService(code) != 0 || entry.serviceIdentifier(code, &found) != 0) return;
    id = found;
    if (entry.serviceTable(found, &service) != 0) prepare(service);
}

// The print service is asked the other way round: identifier, table, then presence.
template <typename Service>
void presenceLast(const KxhEntryBlock& entry, uint32_t code, Service& service, uint32_t& id) {
    prepare(service);
    id = 0;
    uint32_t found = 0;
    if (entry.serviceIdentifier(code, &found) != 0) return;
    id = found;
    if (entry.serviceTable(found, &service) != 0 || entry.queryService(code) != 0) prepare(service);
}

} // namespace

int32_t obtainHostTables(const KxhEntryBlock& entry) {
    HostTables& t = hostTables();
    int32_t result = 0;
    if ((result = fillFromList(entry, KXH_TABLE_APP, t.app, kAppList)) != 0 ||
        (result = fillFromList(entry, KXH_TABLE_MENU, t.menu, kMenuList)) != 0 ||
        (result = fillFromList(entry, KXH_TABLE_EVENT, t.event, kEventList)) != 0 ||
        (result = fillFromList(entry, KXH_TABLE_DOCDATA, t.docData, kDocDataList)) != 0 ||
        (result = fillFromList(entry, KXH_TABLE_LAYOUT, t.layout, kLayoutList)) != 0 ||
        (result = fillFromList(entry, KXH_TABLE_TEXT, t.text, kTextList)) != 0 ||
        (result = fillFromList(entry, KXH_TABLE_OUTPUT, t.output, kOutputList)) != 0 ||
        (result = fillFromList(entry, KXH_TABLE_STYLE, t.style, kStyleList)) != 0 ||
        (result = fillFromList(entry, KXH_TABLE_PANE, t.pane, kPaneList)) != 0 ||
        (result = fillFromList(entry, KXH_TABLE_GEOMETRY, t.geometry, kGeometryList)) != 0 ||
        (result = fillByCode(entry, KXH_TABLE_MEMORY, t.memory)) != 0 ||
        (result = fillFromList(entry, KXH_TABLE_STRING, t.string, kStringList)) != 0)
        return result;
    return 0;
}

void obtainServices(const KxhEntryBlock& entry) {
    HostTables& t = hostTables();
    if (!entry.queryService || !entry.serviceIdentifier || !entry.serviceTable) return;
    presenceFirst(entry, KXH_SERVICE_PDF, t.pdf, t.pdfId);
    presenceFirst(entry, KXH_SERVICE_BLEED, t.bleed, t.bleedId);
    presenceFirst(entry, KXH_SERVICE_BOXNAME, t.boxNames, t.boxNamesId);
    presenceLast(entry, KXH_SERVICE_PRINT, t.print, t.printId);
}
