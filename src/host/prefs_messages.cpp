#include "host/prefs_messages.h"

#include "dialogs/message_box.h"
#include "foundation/prefs.h"

// The key is the format: the message box looks it up before it formats, and it carries no
// conversions.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
#pragma GCC diagnostic ignored "-Wformat-nonliteral"

void showPrefsMessage(const char* key, const char* detail, void* /*owner*/) {
    if (!key) return;
    if (detail) setMessageDetail("%s", detail);
    showMessage(key);
}

#pragma GCC diagnostic pop

void installPrefsMessages() {
    setPrefsMessageHook(showPrefsMessage, nullptr);
    // The store is read before the message box exists; what it found is told now.
    if (thePrefs().unreadable()) showPrefsMessage("readPrefsErr", thePrefs().path(), nullptr);
}
