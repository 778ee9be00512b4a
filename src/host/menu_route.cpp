#include "host/menu_commands.h"

#include "export/export_run.h"
#include "dialogs/message_box.h"
#include "foundation/version.h"
#include "host/host_tables.h"
#include "host/prefs_dialog.h"
#include "host/tracking.h"

namespace {

void showAbout() {
    showMessage("Kestrix %s", productVersionText());
}

} // namespace

int32_t KXH_CALL commandHandler(void* params) {
    const MenuCommands& commands = menuCommands();
    uint16_t id = static_cast<const KxhCommandParams*>(params)->commandId;
    if (!commands.menu || id == 0) return 0;
    if (id == commands.exportPages)
        exportPages(0);
    else if (id == commands.exportBox)
        exportPages(1);
    else if (id == commands.showTracking)
        showTracking();
    else if (id == commands.copyTracking)
        copyTracking();
    else if (id == commands.deleteTracking)
        deleteTracking();
    else if (id == commands.about)
        showAbout();
    else if (id == commands.preferences)
        runPrefsDialog();
    return 0;
}

int32_t shortcutModifierMask(bool ctrl, bool shift, bool rightShift, bool alt) {
    int32_t mask = 0;
    if (shift || rightShift) mask |= kShortcutShift;
    if (alt) mask |= kShortcutAlt;
    if (ctrl) mask |= kShortcutCtrl;
    return mask;
}

bool isExportShortcut(int32_t kind, int32_t character, int32_t mask) {
    return kind == KXH_EVENT_KEY_DOWN && character == 'E' &&
           mask == (kShortcutCtrl | kShortcutShift | kShortcutAlt);
}

int32_t KXH_CALL shortcutHandler(void* params) {
    KxhKeyParams* key = static_cast<KxhKeyParams*>(params);
    const KxhEventTable& events = hostTables().event;
    if (!events.eventKind || !events.eventChar || !events.modifierDown) return 0;
    int32_t kind = events.eventKind(key->event);
    if (kind != KXH_EVENT_KEY_DOWN || events.eventChar(key->event) != 'E') return 0;
    int32_t mask = shortcutModifierMask(events.modifierDown(key->event, KXH_MOD_CTRL) != 0,
                                        events.modifierDown(key->event, KXH_MOD_SHIFT) != 0,
                                        events.modifierDown(key->event, KXH_MOD_RIGHT_SHIFT) != 0,
                                        events.modifierDown(key->event, KXH_MOD_ALT) != 0);
    if (!isExportShortcut(kind, 'E', mask)) return 0;
    exportPages(0);
    key->handled = 1;
    return 0;
}
