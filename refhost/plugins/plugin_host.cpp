#include "plugins/plugin_host.h"

#include "model/document.h"
#include "plugins/plugin_dispatch.h"
#include "plugins/sound_watch.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace refhost {

namespace {

std::vector<LoadedPlugin>& plugins() {
    static std::vector<LoadedPlugin> list;
    return list;
}

std::vector<HandlerEntry>& registry() {
    static std::vector<HandlerEntry> entries;
    return entries;
}

uint64_t gSequence = 0;
uint32_t gNextIdentifier = KXH_FIRST_PRIVATE_MESSAGE;

// The plug-in whose activation or main callback is running; registrations belong to it.
constexpr size_t kNobody = static_cast<size_t>(-1);
size_t gActivating = kNobody;
bool gInMainCallback = false;

// What the plug-in being activated told the host.
struct Activation {
    bool confirmed = false;
    uint32_t pluginId = 0;
    KxhMainCallback main = nullptr;
    KxhIdCallback ids = nullptr;
    std::string refusal;
};
Activation gActivation;

bool idInUse(uint32_t id) {
    for (const LoadedPlugin& p : plugins())
        if (p.running && p.pluginId == id) return true;
    return false;
}

uint32_t KXH_CALL confirmPlugin(uint32_t pluginId, uint32_t, uint32_t version, uint32_t revision,
                                uint32_t) {
    char reason[128] = "";
    if (version != KXH_INTERFACE_VERSION || revision != KXH_INTERFACE_REVISION)
        std::snprintf(reason, sizeof reason, "interface %u/0x%08X, the host has %u/0x%08X", version,
                      revision, KXH_INTERFACE_VERSION, KXH_INTERFACE_REVISION);
    else if (idInUse(pluginId))
        std::snprintf(reason, sizeof reason, "identifier 0x%08X is taken by another plug-in",
                      pluginId);
    if (*reason) {
        gActivation.refusal = reason;
        return 0;
    }
    gActivation.confirmed = true;
    gActivation.pluginId = pluginId;
    return 1;
}

int32_t KXH_CALL takeValue(int32_t) {
    return KXH_OK;
}

int32_t KXH_CALL registerMainCallback(KxhMainCallback callback, uint32_t kind, uint32_t) {
    if (!callback || kind != KXH_REG_HANDLER) return KXH_ERR_PARAM;
    gActivation.main = callback;
    return KXH_OK;
}

int32_t KXH_CALL registerIdCallback(KxhIdCallback callback, uint32_t kind, uint32_t) {
    if (!callback || kind != KXH_REG_HANDLER) return KXH_ERR_PARAM;
    gActivation.ids = callback;
    return KXH_OK;
}

int32_t KXH_CALL allocateIdentifier(uint32_t kind, uint32_t* id) {
    if (kind != KXH_ID_MESSAGE || !id) return KXH_ERR_PARAM;
    *id = gNextIdentifier++;
    return KXH_OK;
}

int32_t KXH_CALL registerHandler(uint32_t message, KxhHandler handler, uint32_t kind,
                                 uint32_t order, uintptr_t) {
    if (!handler || kind != KXH_REG_HANDLER) return KXH_ERR_PARAM;
    if (!gInMainCallback || gActivating == kNobody) return KXH_ERR_NOT_NOW;
    registry().push_back({message, handler, order, gSequence++, gActivating});
    return KXH_OK;
}

void dropHandlersOf(size_t plugin) {
    auto& r = registry();
    r.erase(std::remove_if(r.begin(), r.end(),
                           [plugin](const HandlerEntry& e) { return e.plugin == plugin; }),
            r.end());
}

std::string fileNameOf(const std::string& path) {
    const size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool inert(LoadedPlugin& plugin, const std::string& problem) {
    plugin.problem = problem;
    plugin.running = false;
    std::fprintf(stderr, "plug-in %s: %s; it stays inert\n", fileNameOf(plugin.path).c_str(),
                 problem.c_str());
    return false;
}

std::string statusText(int32_t status) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(status));
    return buf;
}

} // namespace

KxhEntryBlock* hostEntryBlock() {
    static KxhEntryBlock entry = [] {
        KxhEntryBlock e;
        std::memset(&e, 0, sizeof e);
        e.size = sizeof e;
        e.version = KXH_INTERFACE_VERSION;
        e.fillTable = fillHostTable;
        e.getTable = getHostTable;
        e.registerHandler = registerHandler;
        e.queryService = queryHostService;
        e.serviceIdentifier = hostServiceIdentifier;
        e.serviceTable = hostServiceTable;
        return e;
    }();
    return &entry;
}

bool loadPluginFile(const std::string& path) {
    plugins().push_back({path, 0, false, ""});
    const size_t index = plugins().size() - 1;
    HMODULE module = LoadLibraryW(reinterpret_cast<const wchar_t*>(utf8ToUtf16(path).c_str()));
    if (!module)
        return inert(plugins()[index],
                     "cannot be loaded (error " + std::to_string(GetLastError()) + ")");
    auto activate = reinterpret_cast<KxhActivateFn>(
        reinterpret_cast<void*>(GetProcAddress(module, KXH_ACTIVATE_NAME)));
    if (!activate) {
        FreeLibrary(module);
        return inert(plugins()[index], "has no entry point " KXH_ACTIVATE_NAME);
    }

    watchSystemSounds(module);

    // The library stays loaded from here on, even when inert: it may hold on to what it set up.
    KxhActivationBlock block;
    std::memset(&block, 0, sizeof block);
    block.size = sizeof block;
    block.version = KXH_INTERFACE_VERSION;
    block.confirmPlugin = confirmPlugin;
    block.takeValue = takeValue;
    block.registerMainCallback = registerMainCallback;
    block.registerIdCallback = registerIdCallback;
    gActivation = Activation();
    gActivating = index;
    const int32_t status = activate(&block);
    gActivating = kNobody;
    const Activation result = gActivation;
    if (!result.confirmed)
        return inert(plugins()[index],
                     "refused activation" +
                         (result.refusal.empty() ? "" : " (" + result.refusal + ")"));
    if (status != 0)
        return inert(plugins()[index], "failed to activate (status " + statusText(status) + ")");
    plugins()[index].pluginId = result.pluginId;
    if (!result.main) return inert(plugins()[index], "registered no main callback");

    gActivating = index;
    if (result.ids) {
        KxhIdAllocBlock ids = {sizeof ids, KXH_INTERFACE_VERSION, allocateIdentifier};
        result.ids(&ids);
    }
    gInMainCallback = true;
    const int32_t started = result.main(hostEntryBlock());
    gInMainCallback = false;
    gActivating = kNobody;
    if (started != 0) {
        dropHandlersOf(index);
        return inert(plugins()[index], "failed to start (status " + statusText(started) + ")");
    }
    plugins()[index].running = true;
    return true;
}

const std::vector<LoadedPlugin>& loadedPlugins() {
    return plugins();
}

std::vector<HandlerEntry> handlersFor(uint32_t message) {
    std::vector<HandlerEntry> found;
    for (const HandlerEntry& e : registry())
        if (e.message == message && plugins()[e.plugin].running) found.push_back(e);
    std::stable_sort(found.begin(), found.end(), [](const HandlerEntry& a, const HandlerEntry& b) {
        return a.order != b.order ? a.order < b.order : a.sequence < b.sequence;
    });
    return found;
}

void resetPluginHost() {
    registry().clear();
    plugins().clear();
    gSequence = 0;
    gNextIdentifier = KXH_FIRST_PRIVATE_MESSAGE;
}

int loadPlugins(const std::string& folder) {
    std::vector<std::string> files;
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
    const std::string prefix = pattern;
    pattern += "*.dll";
    WIN32_FIND_DATAW found;
    HANDLE search =
        FindFirstFileW(reinterpret_cast<const wchar_t*>(utf8ToUtf16(pattern).c_str()), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(prefix +
                                utf16ToUtf8(reinterpret_cast<const char16_t*>(found.cFileName)));
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    // A fixed order, so that equal order values run the same way at every start.
    std::sort(files.begin(), files.end());
    int running = 0;
    for (const std::string& file : files)
        if (loadPluginFile(file)) ++running;
    return running;
}

void sendToPlugins(KxhParams& params) {
    // A snapshot: handlers may cause further messages (an export runs the output hooks).
    const std::vector<HandlerEntry> handlers = handlersFor(params.message);
    for (const HandlerEntry& e : handlers)
        e.handler(&params);
}

} // namespace refhost
