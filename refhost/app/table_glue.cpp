#include "app/table_glue.h"

#include "app/app_table.h"
#include "app/host_events.h"
#include "app/host_menus.h"
#include "app/style_editor.h"
#include "plugins/plugin_host.h"

namespace refhost {

namespace {

void fillStyleEditorSlots(KxhStyleTable& table) {
    table.openStyleEditor = styleOpenEditor;
    table.addPane = styleAddPane;
}

} // namespace

void connectAppTables() {
    AppTableFillers fillers;
    fillers.app = fillAppTable;
    fillers.menu = fillMenuTable;
    fillers.event = fillEventTable;
    fillers.pane = fillPaneTable;
    fillers.styleEditor = fillStyleEditorSlots;
    setAppTableFillers(fillers);
}

} // namespace refhost
