#pragma once
// The host's menus as plug-ins see them: real Win32 menus behind KxhMenu handles, and the
// command and menu identifiers the host hands out.
#include "kxh_api.h"

#include <windows.h>

#include <string>
#include <vector>

namespace refhost {

// Codes of host menus that plug-ins may name (KxhMenuBuildParams.hostMenu).
constexpr uint32_t kHostMenuUtilities = 1;
// Identifiers below this belong to the host's own commands.
constexpr uint16_t kFirstPluginCommandId = 0x8000;

void setHostMenu(uint32_t code, HMENU menu);
HMENU hostMenuHandle(uint32_t code);
bool isPluginCommand(UINT id);

struct MenuEntry {
    std::string title; // "-" for a separator
    bool enabled = true;
    UINT id = 0;
    HMENU submenu = nullptr;
};
std::vector<MenuEntry> menuEntries(HMENU menu);
// The submenus plug-ins attached to a host menu.
std::vector<HMENU> pluginSubmenus(HMENU hostMenu);

// The menu table's operations.
KxhMenu KXH_CALL menuNew(const char* title);
uint16_t KXH_CALL menuAllocCommandId(void);
int32_t KXH_CALL menuItemCount(KxhMenu menu);
int32_t KXH_CALL menuInsertItem(KxhMenu menu, int32_t position, uint16_t commandId,
                                const char* title);
int32_t KXH_CALL menuInsertSeparator(KxhMenu menu, int32_t position);
uint16_t KXH_CALL menuAllocMenuId(void);
KxhMenu KXH_CALL menuHostMenu(uint32_t code);
int32_t KXH_CALL menuInsertSubmenuItem(KxhMenu menu, int32_t position, uint16_t menuId,
                                       const char* title);
int32_t KXH_CALL menuAttachSubmenu(KxhMenu menu, uint16_t menuId, KxhMenu submenu);
int32_t KXH_CALL menuEnableItem(KxhMenu menu, uint16_t commandId, int32_t enabled);
void fillMenuTable(KxhMenuTable& table);

} // namespace refhost
