#include "host/prefs_messages.h"

#include <string>

#include "dialogs/message_box.h"
#include "foundation/localize.h"
#include "foundation/prefs.h"

namespace {

// A message of the store that came before the host named its language: start-up reads the
// file before the texts are loaded, and before the host runs its loop, where a box would wait
// for an answer that a scripted host cannot give yet.
std::string gPendingKey, gPendingDetail;

} // namespace

// The key is the format: the message box looks it up before it formats, and it carries no
// conversions.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
#pragma GCC diagnostic ignored "-Wformat-nonliteral"

void showPrefsMessage(const char* key, const char* detail, void* /*owner*/) {
    if (!key) return;
    if (!stringTable()) {
        gPendingKey = key;
        gPendingDetail = detail ? detail : "";
        return;
    }
    if (detail) setMessageDetail("%s", detail);
    showMessage(key);
}

#pragma GCC diagnostic pop

void installPrefsMessages() {
    setPrefsMessageHook(showPrefsMessage, nullptr);
    if (thePrefs().unreadable()) showPrefsMessage("readPrefsErr", thePrefs().path(), nullptr);
}

void showPendingPrefsMessage() {
    if (gPendingKey.empty() || !stringTable()) return;
    std::string key, detail;
    key.swap(gPendingKey);
    detail.swap(gPendingDetail);
    showPrefsMessage(key.c_str(), detail.c_str(), nullptr);
}
