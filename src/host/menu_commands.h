#pragma once
#include <cstdint>
#include <string>

#include "kxh_api.h"

// The plug-in's commands: one submenu in the host's menu bar, one context-menu item and the
// keyboard shortcut, each routed to the command it stands for.

// Host-allocated identifiers, kept for the life of the library.
struct MenuCommands {
    KxhMenu menu; // the plug-in submenu
    uint16_t exportPages;
    uint16_t exportBox;
    uint16_t showTracking;
    uint16_t copyTracking;
    uint16_t deleteTracking;
    uint16_t preferences;
    uint16_t about;
};
const MenuCommands& menuCommands();

// Handlers of messages 6, 7, 318, 618 and 956. Each returns 0.
int32_t KXH_CALL menuBuildHandler(void* params);
int32_t KXH_CALL menuUpdateHandler(void* params);
int32_t KXH_CALL contextMenuHandler(void* params);
int32_t KXH_CALL commandHandler(void* params);
int32_t KXH_CALL shortcutHandler(void* params);

// The title of a menu item: the key looked up in the interface language, with the ellipsis
// U+2026 appended for items that open a dialog or ask a question.
std::string menuTitle(const char* key, bool ellipsis);

// The modifier keys of a shortcut as bits of a mask; either Shift key counts as Shift.
enum ShortcutModifier : int32_t {
    kShortcutAlt = 4,
    kShortcutShift = 8,
    kShortcutCtrl = 32,
};
// The mask of the modifiers down (KXH_MOD_CTRL, _SHIFT, _RIGHT_SHIFT, _ALT).
int32_t shortcutModifierMask(bool ctrl, bool shift, bool rightShift, bool alt);
// A key-down event, the character "E", and exactly Ctrl, Shift and Alt.
bool isExportShortcut(int32_t kind, int32_t character, int32_t mask);
