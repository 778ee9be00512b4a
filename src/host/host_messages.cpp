// The plug-in's housekeeping messages: interface language, preferences reload and the release
// of temporary strings.
#include "foundation/localize.h"
#include "foundation/prefs.h"
#include "foundation/temppool.h"
#include "host/handlers.h"
#include "host/prefs_messages.h"

int32_t KXH_CALL languageHandler(void* params) {
    const auto* p = static_cast<const KxhLanguageParams*>(params);
    setInterfaceLanguage(p->language);
    loadStringTable();
    return 0;
}

int32_t KXH_CALL prefsReloadHandler(void* /*params*/) {
    showPendingPrefsMessage();
    if (prefsChanged()) reloadPrefs();
    return 0;
}

int32_t KXH_CALL tempStringsHandler(void* /*params*/) {
    releaseTemporaryStrings();
    return 0;
}
