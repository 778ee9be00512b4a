#include "host/startup.h"

#include <windows.h>

#include "dialogs/toolkit.h"
#include "foundation/log.h"
#include "foundation/prefs.h"
#include "foundation/settings.h"
#include "foundation/version.h"
#include "host/export_ui_install.h"
#include "host/host_tables.h"
#include "host/prefs_messages.h"

void runStartup() {
    const KxhAppTable& app = hostTables().app;
    setHostMainWindow(static_cast<HWND>(app.mainWindow ? app.mainWindow() : nullptr));

    char oldPath[512] = "";
    if (!oldPrefsPath(oldPath, sizeof oldPath)) oldPath[0] = '\0';
    openPrefs(oldPath);

    startLog(getLogging(), "Quendrel", "Kestrix");
    logLine("\r\nKestrix: %s\r\n", KX_VERSION_TEXT);

    initDialogs();
    installPrefsMessages();
    installExportUi();
}
