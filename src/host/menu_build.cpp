#include "host/menu_commands.h"

#include "foundation/localize.h"
#include "host/host_tables.h"

namespace {

MenuCommands gCommands = {};

constexpr const char* kPluginName = "Kestrix";
constexpr const char* kEllipsis = "\xE2\x80\xA6";

// The submenu from top to bottom; a null key is a separator.
struct MenuEntry {
    const char* key;
    bool ellipsis;
    uint16_t MenuCommands::*command;
};
const MenuEntry kSubmenu[] = {
    {"exportPagesCmd", true, &MenuCommands::exportPages},
    {"exportBoxCmd", true, &MenuCommands::exportBox},
    {nullptr, false, nullptr},
    // It opens the tracking window, so it says so like the other dialogs.
    {"showTracking", true, &MenuCommands::showTracking},
    {"copyTracking", false, &MenuCommands::copyTracking},
    {"deleteTracking", true, &MenuCommands::deleteTracking},
    {nullptr, false, nullptr},
    {"prefsCmd", true, &MenuCommands::preferences},
    {"aboutCmd", true, &MenuCommands::about},
};

} // namespace

const MenuCommands& menuCommands() {
    return gCommands;
}

std::string menuTitle(const char* key, bool ellipsis) {
    char title[kLocalizedSize];
    localize(key, title, sizeof title);
    std::string text = title;
    if (ellipsis) text += kEllipsis;
    return text;
}

int32_t KXH_CALL menuBuildHandler(void* params) {
    const KxhMenuTable& menus = hostTables().menu;
    if (gCommands.menu || !menus.newMenu) return 0; // built once for the life of the library
    KxhMenu menu = menus.newMenu(kPluginName);
    if (!menu) return 0;
    gCommands.menu = menu;
    for (const MenuEntry& item : kSubmenu) {
        int32_t position = menus.itemCount(menu);
        if (!item.key) {
            menus.insertSeparator(menu, position);
            continue;
        }
        uint16_t id = menus.allocCommandId();
        gCommands.*item.command = id;
        menus.insertItem(menu, position, id, menuTitle(item.key, item.ellipsis).c_str());
    }
    const KxhMenuBuildParams* build = static_cast<const KxhMenuBuildParams*>(params);
    uint16_t menuId = menus.allocMenuId();
    KxhMenu hostMenu = menus.hostMenu(build->hostMenu);
    if (hostMenu && menuId) {
        menus.insertSubmenuItem(hostMenu, menus.itemCount(hostMenu), menuId, kPluginName);
        menus.attachSubmenu(hostMenu, menuId, menu);
    }
    return 0;
}
