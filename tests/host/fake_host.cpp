#include "host/fake_host.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string format(const char* fmt, unsigned a, unsigned b = 0, unsigned c = 0) {
    char buf[128];
    std::snprintf(buf, sizeof buf, fmt, a, b, c);
    return buf;
}

uint32_t KXH_CALL confirm(uint32_t id, uint32_t r1, uint32_t version, uint32_t revision,
                          uint32_t r2) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "confirm %08x %u %u %08x %u", id, r1, version, revision, r2);
    fakeHost().calls.push_back(buf);
    return fakeHost().confirmAnswer;
}

int32_t KXH_CALL takeValue(int32_t value) {
    fakeHost().calls.push_back(format("value %u", static_cast<unsigned>(value)));
    return 0;
}

int32_t KXH_CALL registerMain(KxhMainCallback callback, uint32_t kind, uint32_t order) {
    fakeHost().calls.push_back(format("main %u %u", kind, order));
    fakeHost().mainCallback = callback;
    return 0;
}

int32_t KXH_CALL registerIds(KxhIdCallback callback, uint32_t kind, uint32_t order) {
    fakeHost().calls.push_back(format("ids %u %u", kind, order));
    fakeHost().idCallback = callback;
    return 0;
}

int32_t KXH_CALL allocate(uint32_t kind, uint32_t* id) {
    fakeHost().calls.push_back(format("allocate %u", kind));
    *id = fakeHost().nextId++;
    return 0;
}

void* KXH_CALL mainWindow() {
    fakeHost().calls.push_back("mainWindow");
    return nullptr;
}

int32_t KXH_CALL currentLayout() {
    return -1;
}

// Menus are numbered from 1 in creation order; the host menu a plug-in names is 1000.
constexpr uintptr_t kHostMenu = 1000;

std::vector<std::string>* menuOf(KxhMenu menu) {
    const uintptr_t n = reinterpret_cast<uintptr_t>(menu);
    auto& menus = fakeHost().menus;
    return n >= 1 && n <= menus.size() ? &menus[n - 1] : nullptr;
}

KxhMenu KXH_CALL newMenu(const char*) {
    fakeHost().menus.emplace_back();
    return reinterpret_cast<KxhMenu>(static_cast<uintptr_t>(fakeHost().menus.size()));
}

uint16_t KXH_CALL allocCommand() {
    static uint16_t next = 100;
    return next++;
}

int32_t KXH_CALL itemCount(KxhMenu menu) {
    std::vector<std::string>* items = menuOf(menu);
    return items ? static_cast<int32_t>(items->size()) : 0;
}

int32_t KXH_CALL insertItem(KxhMenu menu, int32_t position, uint16_t, const char* title) {
    std::vector<std::string>* items = menuOf(menu);
    if (!items || position < 0 || static_cast<size_t>(position) > items->size())
        return KXH_ERR_PARAM;
    items->insert(items->begin() + position, title);
    return 0;
}

int32_t KXH_CALL insertSeparator(KxhMenu menu, int32_t position) {
    return insertItem(menu, position, 0, "-");
}

KxhMenu KXH_CALL hostMenu(uint32_t) {
    return reinterpret_cast<KxhMenu>(kHostMenu);
}

int32_t KXH_CALL menuAccepted(KxhMenu, int32_t, uint16_t, const char*) {
    return 0;
}

int32_t KXH_CALL attachSubmenu(KxhMenu, uint16_t, KxhMenu) {
    return 0;
}

int32_t KXH_CALL enableItem(KxhMenu, uint16_t, int32_t) {
    return 0;
}

// Fills the slots the plug-in asked for; only the application and menu tables get functions,
// the others stay empty (start-up must not need them).
int32_t fill(uint32_t code, void* dest) {
    if (code == fakeHost().failingTable) return KXH_ERR_UNKNOWN_TABLE;
    auto* header = static_cast<KxhHeader*>(dest);
    header->version = KXH_TABLE_VERSION;
    if (code == KXH_TABLE_APP) {
        auto* app = static_cast<KxhAppTable*>(dest);
        app->mainWindow = mainWindow;
        app->currentLayout = currentLayout;
    }
    if (code == KXH_TABLE_MENU) {
        auto* menu = static_cast<KxhMenuTable*>(dest);
        menu->newMenu = newMenu;
        menu->allocCommandId = allocCommand;
        menu->itemCount = itemCount;
        menu->insertItem = insertItem;
        menu->insertSeparator = insertSeparator;
        menu->allocMenuId = allocCommand;
        menu->hostMenu = hostMenu;
        menu->insertSubmenuItem = menuAccepted;
        menu->attachSubmenu = attachSubmenu;
        menu->enableItem = enableItem;
    }
    return 0;
}

int32_t KXH_CALL fillTable(uint32_t code, void* dest, const uint64_t* list, uint32_t count) {
    fakeHost().calls.push_back(format("table %u", code));
    fakeHost().lists.emplace_back(list, list + count);
    return fill(code, dest);
}

int32_t KXH_CALL getTable(uint32_t code, void* dest) {
    fakeHost().calls.push_back(format("table %u by code", code));
    fakeHost().lists.emplace_back();
    return fill(code, dest);
}

int32_t KXH_CALL registerHandler(uint32_t message, KxhHandler handler, uint32_t kind,
                                 uint32_t order, uintptr_t reserved) {
    fakeHost().registrations.push_back({message, handler, kind, order, reserved});
    return 0;
}

int32_t KXH_CALL queryService(uint32_t code) {
    fakeHost().calls.push_back("query " + fourcc(code));
    return fakeHost().services.count(code) ? 0 : KXH_ERR_NO_SERVICE;
}

// A service's identifier is its code with the top bit set, so the table request names it.
int32_t KXH_CALL serviceIdentifier(uint32_t code, uint32_t* id) {
    fakeHost().calls.push_back("id " + fourcc(code));
    if (!fakeHost().services.count(code)) return KXH_ERR_NO_SERVICE;
    *id = code | 0x80000000u;
    return 0;
}

int32_t KXH_CALL serviceTable(uint32_t id, void* dest) {
    const uint32_t code = id & 0x7FFFFFFFu;
    fakeHost().calls.push_back("service " + fourcc(code));
    if (!fakeHost().services.count(code)) return KXH_ERR_NO_SERVICE;
    static_cast<KxhHeader*>(dest)->version = KXH_TABLE_VERSION;
    return 0;
}

} // namespace

FakePluginHost& fakeHost() {
    static FakePluginHost host;
    return host;
}

std::string fourcc(uint32_t code) {
    std::string s;
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((code >> (8 * i)) & 0xFF);
    return s;
}

HMODULE loadPlugin() {
    const char* path = std::getenv("KX_DLL");
    if (!path) return nullptr;
    return LoadLibraryA(path);
}

KxhActivateFn activateFunction(HMODULE plugin) {
    return reinterpret_cast<KxhActivateFn>(
        reinterpret_cast<void*>(GetProcAddress(plugin, KXH_ACTIVATE_NAME)));
}

KxhActivationBlock fakeActivationBlock() {
    KxhActivationBlock block;
    std::memset(&block, 0, sizeof block);
    block.size = sizeof block;
    block.version = KXH_INTERFACE_VERSION;
    block.confirmPlugin = confirm;
    block.takeValue = takeValue;
    block.registerMainCallback = registerMain;
    block.registerIdCallback = registerIds;
    return block;
}

KxhEntryBlock* fakeEntryBlock() {
    static KxhEntryBlock entry;
    std::memset(&entry, 0, sizeof entry);
    entry.size = sizeof entry;
    entry.version = KXH_INTERFACE_VERSION;
    entry.fillTable = fillTable;
    entry.getTable = getTable;
    entry.registerHandler = registerHandler;
    entry.queryService = queryService;
    entry.serviceIdentifier = serviceIdentifier;
    entry.serviceTable = serviceTable;
    return &entry;
}

KxhIdAllocBlock* fakeIdBlock() {
    static KxhIdAllocBlock block;
    block.size = sizeof block;
    block.version = KXH_INTERFACE_VERSION;
    block.allocate = allocate;
    return &block;
}

int32_t activateAndStart(KxhActivateFn activate) {
    KxhActivationBlock block = fakeActivationBlock();
    const int32_t result = activate(&block);
    if (result != 0) return result;
    FakePluginHost& host = fakeHost();
    if (!host.idCallback || !host.mainCallback) return -1;
    host.idCallback(fakeIdBlock());
    return host.mainCallback(fakeEntryBlock());
}
