// Table requests: the host's complete tables, handed out slot by slot from identifier lists.
#include "plugins/plugin_host.h"

#include <cstring>
#include <vector>

namespace refhost {

namespace {

using AnyFunction = void (*)();

// A table's functions in slot order.
struct FullTable {
    uint32_t code = 0;
    std::vector<AnyFunction> slots;
};

template <typename Table, typename Filler> FullTable capture(uint32_t code, Filler fill) {
    Table table;
    std::memset(&table, 0, sizeof table);
    table.size = sizeof table;
    fill(table);
    FullTable full;
    full.code = code;
    const size_t count = (sizeof table - sizeof(KxhHeader)) / sizeof(AnyFunction);
    full.slots.resize(count);
    std::memcpy(full.slots.data(), reinterpret_cast<const char*>(&table) + sizeof(KxhHeader),
                count * sizeof(AnyFunction));
    return full;
}

AppTableFillers& registeredFillers() {
    static AppTableFillers fillers;
    return fillers;
}

// Fills a table of the application's when it registered one.
template <typename Table> auto appFiller(void (*fill)(Table&)) {
    return [fill](Table& table) {
        if (fill) fill(table);
    };
}

// Captured at the first request after the application registered its fillers.
std::vector<FullTable>& capturedTables() {
    static std::vector<FullTable> tables;
    return tables;
}

const std::vector<FullTable>& fullTables() {
    std::vector<FullTable>& tables = capturedTables();
    if (!tables.empty()) return tables;
    const AppTableFillers& app = registeredFillers();
    tables = {
        capture<KxhAppTable>(KXH_TABLE_APP, appFiller(app.app)),
        capture<KxhMenuTable>(KXH_TABLE_MENU, appFiller(app.menu)),
        capture<KxhEventTable>(KXH_TABLE_EVENT, appFiller(app.event)),
        capture<KxhDocDataTable>(KXH_TABLE_DOCDATA, fillDocDataTable),
        capture<KxhLayoutTable>(KXH_TABLE_LAYOUT, fillLayoutTable),
        capture<KxhTextTable>(KXH_TABLE_TEXT, fillTextTable),
        capture<KxhOutputTable>(KXH_TABLE_OUTPUT, fillOutputTable),
        capture<KxhStyleTable>(KXH_TABLE_STYLE, fillStyleTable),
        capture<KxhPaneTable>(KXH_TABLE_PANE, appFiller(app.pane)),
        capture<KxhGeometryTable>(KXH_TABLE_GEOMETRY, fillGeometryTable),
        capture<KxhMemoryTable>(KXH_TABLE_MEMORY, fillMemoryTable),
        capture<KxhStringTable>(KXH_TABLE_STRING, fillStringTable),
    };
    return tables;
}

const FullTable* findTable(uint32_t code) {
    for (const FullTable& t : fullTables())
        if (t.code == code) return &t;
    return nullptr;
}

void putSlot(void* dest, size_t slot, AnyFunction fn) {
    std::memcpy(static_cast<char*>(dest) + sizeof(KxhHeader) + slot * sizeof(AnyFunction), &fn,
                sizeof fn);
}

} // namespace

void setAppTableFillers(const AppTableFillers& fillers) {
    registeredFillers() = fillers;
    capturedTables().clear();
}

const AppTableFillers& appTableFillers() {
    return registeredFillers();
}

int32_t KXH_CALL fillHostTable(uint32_t code, void* dest, const uint64_t* list, uint32_t count) {
    const FullTable* table = findTable(code);
    if (!table) return KXH_ERR_UNKNOWN_TABLE;
    if (!dest || !list || count < 1 || list[0] != KXH_LIST_MARKER) return KXH_ERR_BAD_LIST;
    auto* header = static_cast<KxhHeader*>(dest);
    const size_t wanted = count - 1;
    if (header->size < sizeof(KxhHeader) + wanted * sizeof(AnyFunction))
        return KXH_ERR_TABLE_TOO_SMALL;
    // Every identifier is checked before anything is written.
    for (size_t i = 0; i < wanted; ++i) {
        const uint64_t id = list[i + 1];
        const uint64_t n = id & 0xFF;
        if ((id >> 8) != code || n == 0 || n > table->slots.size() || !table->slots[n - 1])
            return KXH_ERR_UNKNOWN_FUNCTION;
    }
    for (size_t i = 0; i < wanted; ++i)
        putSlot(dest, i, table->slots[(list[i + 1] & 0xFF) - 1]);
    header->version = KXH_TABLE_VERSION;
    return KXH_OK;
}

int32_t KXH_CALL getHostTable(uint32_t code, void* dest) {
    const FullTable* table = findTable(code);
    if (!table) return KXH_ERR_UNKNOWN_TABLE;
    auto* header = static_cast<KxhHeader*>(dest);
    if (!dest || header->size < sizeof(KxhHeader)) return KXH_ERR_PARAM;
    const size_t room = (header->size - sizeof(KxhHeader)) / sizeof(AnyFunction);
    for (size_t i = 0; i < room && i < table->slots.size(); ++i)
        putSlot(dest, i, table->slots[i]);
    header->version = KXH_TABLE_VERSION;
    return KXH_OK;
}

} // namespace refhost
