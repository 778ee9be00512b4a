#include "app/host_menus.h"

#include "model/wide_text.h"

#include <map>

namespace refhost {

namespace {

std::map<uint32_t, HMENU>& hostMenus() {
    static std::map<uint32_t, HMENU> menus;
    return menus;
}

// Command and menu identifiers share one range so that a WM_COMMAND tells them apart.
uint32_t nextId = kFirstPluginCommandId;

HMENU toMenu(KxhMenu menu) {
    HMENU handle = reinterpret_cast<HMENU>(menu);
    return handle && IsMenu(handle) ? handle : nullptr;
}

// Menus of plug-ins, so that their submenus can be told from the host's own.
std::vector<HMENU>& pluginMenus() {
    static std::vector<HMENU> menus;
    return menus;
}

uint16_t allocId() {
    if (nextId > 0xFFFF) return 0;
    return uint16_t(nextId++);
}

} // namespace

void setHostMenu(uint32_t code, HMENU menu) {
    hostMenus()[code] = menu;
}

HMENU hostMenuHandle(uint32_t code) {
    auto it = hostMenus().find(code);
    return it == hostMenus().end() ? nullptr : it->second;
}

bool isPluginCommand(UINT id) {
    return id >= kFirstPluginCommandId && id <= 0xFFFF;
}

std::vector<MenuEntry> menuEntries(HMENU menu) {
    std::vector<MenuEntry> entries;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        wchar_t title[512] = {};
        info.dwTypeData = title;
        info.cch = 511;
        if (!GetMenuItemInfoW(menu, UINT(i), TRUE, &info)) continue;
        MenuEntry entry;
        if (info.fType & MFT_SEPARATOR) {
            entry.title = "-";
        } else {
            entry.title = narrow(title);
            entry.enabled = !(info.fState & (MFS_DISABLED | MFS_GRAYED));
        }
        entry.id = info.wID;
        entry.submenu = info.hSubMenu;
        entries.push_back(entry);
    }
    return entries;
}

std::vector<HMENU> pluginSubmenus(HMENU hostMenu) {
    std::vector<HMENU> result;
    for (const auto& entry : menuEntries(hostMenu))
        for (HMENU own : pluginMenus())
            if (entry.submenu && entry.submenu == own) result.push_back(own);
    return result;
}

KxhMenu KXH_CALL menuNew(const char* title) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    (void)title; // a popup's title is that of the item it hangs from
    pluginMenus().push_back(menu);
    return reinterpret_cast<KxhMenu>(menu);
}

uint16_t KXH_CALL menuAllocCommandId(void) {
    return allocId();
}
uint16_t KXH_CALL menuAllocMenuId(void) {
    return allocId();
}

int32_t KXH_CALL menuItemCount(KxhMenu menu) {
    HMENU handle = toMenu(menu);
    return handle ? GetMenuItemCount(handle) : -1;
}

static bool validPosition(HMENU menu, int32_t position) {
    return menu && position >= 0 && position <= GetMenuItemCount(menu);
}

int32_t KXH_CALL menuInsertItem(KxhMenu menu, int32_t position, uint16_t commandId,
                                const char* title) {
    HMENU handle = toMenu(menu);
    if (!validPosition(handle, position) || !title || !commandId) return KXH_ERR_PARAM;
    std::wstring text = widen(title);
    return InsertMenuW(handle, UINT(position), MF_BYPOSITION | MF_STRING, commandId, text.c_str())
               ? KXH_OK
               : KXH_ERR_PARAM;
}

int32_t KXH_CALL menuInsertSeparator(KxhMenu menu, int32_t position) {
    HMENU handle = toMenu(menu);
    if (!validPosition(handle, position)) return KXH_ERR_PARAM;
    return InsertMenuW(handle, UINT(position), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr)
               ? KXH_OK
               : KXH_ERR_PARAM;
}

KxhMenu KXH_CALL menuHostMenu(uint32_t code) {
    return reinterpret_cast<KxhMenu>(hostMenuHandle(code));
}

int32_t KXH_CALL menuInsertSubmenuItem(KxhMenu menu, int32_t position, uint16_t menuId,
                                       const char* title) {
    // The item is an ordinary one until a submenu is attached to it.
    return menuInsertItem(menu, position, menuId, title);
}

int32_t KXH_CALL menuAttachSubmenu(KxhMenu menu, uint16_t menuId, KxhMenu submenu) {
    HMENU handle = toMenu(menu), sub = toMenu(submenu);
    if (!handle || !sub) return KXH_NONE;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU;
    info.hSubMenu = sub;
    if (!SetMenuItemInfoW(handle, menuId, FALSE, &info)) return KXH_NONE;
    return KXH_OK;
}

int32_t KXH_CALL menuEnableItem(KxhMenu menu, uint16_t commandId, int32_t enabled) {
    HMENU handle = toMenu(menu);
    if (!handle) return KXH_NONE;
    DWORD previous =
        EnableMenuItem(handle, commandId, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    return previous == DWORD(-1) ? KXH_NONE : KXH_OK;
}

void fillMenuTable(KxhMenuTable& table) {
    table.newMenu = menuNew;
    table.allocCommandId = menuAllocCommandId;
    table.itemCount = menuItemCount;
    table.insertItem = menuInsertItem;
    table.insertSeparator = menuInsertSeparator;
    table.allocMenuId = menuAllocMenuId;
    table.hostMenu = menuHostMenu;
    table.insertSubmenuItem = menuInsertSubmenuItem;
    table.attachSubmenu = menuAttachSubmenu;
    table.enableItem = menuEnableItem;
}

} // namespace refhost
