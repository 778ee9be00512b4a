#include "host/menu_commands.h"

#include "export/export_host.h"
#include "foundation/localize.h"
#include "host/host_tables.h"

namespace {

bool boxSelected(int32_t layout) {
    return layout != KXH_NO_LAYOUT && hostCurrentItem(layout) != nullptr;
}

} // namespace

int32_t KXH_CALL menuUpdateHandler(void*) {
    const MenuCommands& commands = menuCommands();
    const KxhMenuTable& menus = hostTables().menu;
    if (!commands.menu || !menus.enableItem) return 0;
    int32_t layout = hostCurrentLayout();
    bool hasLayout = layout != KXH_NO_LAYOUT;
    menus.enableItem(commands.menu, commands.exportPages, hasLayout);
    menus.enableItem(commands.menu, commands.exportBox, boxSelected(layout));
    menus.enableItem(commands.menu, commands.showTracking, hasLayout);
    menus.enableItem(commands.menu, commands.copyTracking, hasLayout);
    menus.enableItem(commands.menu, commands.deleteTracking, hasLayout);
    menus.enableItem(commands.menu, commands.preferences, 1);
    menus.enableItem(commands.menu, commands.about, 1);
    return 0;
}

int32_t KXH_CALL contextMenuHandler(void* params) {
    const MenuCommands& commands = menuCommands();
    const KxhMenuTable& menus = hostTables().menu;
    const KxhContextMenuParams* context = static_cast<const KxhContextMenuParams*>(params);
    if (!commands.menu || !context->menu || !menus.itemCount) return 0;
    bool area = boxSelected(hostCurrentLayout());
    // The key carries its ellipsis; the label look-up keeps it.
    char key[64];
    snprintf(key, sizeof key, "%s\xE2\x80\xA6", area ? "exportBoxCmd" : "exportPagesCmd");
    char title[kLocalizedSize];
    localizeLabel(key, title, sizeof title);
    int32_t count = menus.itemCount(context->menu);
    menus.insertSeparator(context->menu, count);
    menus.insertItem(context->menu, count + 1, area ? commands.exportBox : commands.exportPages,
                     title);
    return 0;
}
