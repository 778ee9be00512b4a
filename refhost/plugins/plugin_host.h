// The host side of the plug-in interface: loading and activating plug-in libraries, the table
// requests, the services, the handler registry and the dispatch of messages.
#pragma once
#include "kxh_api.h"

#include <cstdint>
#include <string>
#include <vector>

namespace refhost {

// One plug-in library the host found.
struct LoadedPlugin {
    std::string path;
    uint32_t pluginId = 0; // as confirmed; 0 when it never confirmed
    bool running = false;  // activated and started; an inert plug-in gets no messages
    std::string problem;   // why it is inert (empty while running)
};

// Loads and activates one library. Returns true when it runs; otherwise the reason is on
// stderr and in the plug-in's record, and it stays inert.
bool loadPluginFile(const std::string& path);
const std::vector<LoadedPlugin>& loadedPlugins();

// One registered handler.
struct HandlerEntry {
    uint32_t message;
    KxhHandler handler;
    uint32_t order;
    uint64_t sequence; // registration order, across all plug-ins
    size_t plugin;     // index into loadedPlugins()
};
// The handlers of `message` in calling order: ascending order value, then registration order.
std::vector<HandlerEntry> handlersFor(uint32_t message);

// The host's entry block (lives as long as the process).
KxhEntryBlock* hostEntryBlock();

// Table requests as the entry block serves them.
int32_t KXH_CALL fillHostTable(uint32_t code, void* dest, const uint64_t* list, uint32_t count);
int32_t KXH_CALL getHostTable(uint32_t code, void* dest);

// Services as the entry block serves them.
int32_t KXH_CALL queryHostService(uint32_t code);
int32_t KXH_CALL hostServiceIdentifier(uint32_t code, uint32_t* id);
int32_t KXH_CALL hostServiceTable(uint32_t id, void* dest);

// The complete tables this host offers, one filler per table code.
void fillDocDataTable(KxhDocDataTable& table);
void fillLayoutTable(KxhLayoutTable& table);
void fillTextTable(KxhTextTable& table);
void fillOutputTable(KxhOutputTable& table);
void fillStyleTable(KxhStyleTable& table);
void fillGeometryTable(KxhGeometryTable& table);
void fillMemoryTable(KxhMemoryTable& table);
void fillStringTable(KxhStringTable& table);

// The tables whose functions are the application's: its windows, menus and key events, and the
// style editor with its panes (the pane table and two slots of the style table). The
// application registers their fillers before it loads plug-ins, as it connects the output
// hooks; a table nobody registered stays empty.
struct AppTableFillers {
    void (*app)(KxhAppTable& table) = nullptr;
    void (*menu)(KxhMenuTable& table) = nullptr;
    void (*event)(KxhEventTable& table) = nullptr;
    void (*pane)(KxhPaneTable& table) = nullptr;
    void (*styleEditor)(KxhStyleTable& table) = nullptr; // openStyleEditor and addPane
};
void setAppTableFillers(const AppTableFillers& fillers);
const AppTableFillers& appTableFillers();

// Removes every plug-in and registration (tests).
void resetPluginHost();

} // namespace refhost
