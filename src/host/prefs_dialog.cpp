#include "host/prefs_dialog.h"

#include <windows.h>

#include "dialogs/control_access.h"
#include "dialogs/dialog_runtime.h"
#include "foundation/prefs.h"
#include "foundation/settings.h"

namespace {

// A box shows whether its setting is in force, as the code that reads the setting sees it.
struct PrefsBox {
    int id;
    int32_t (*inForce)();
    void (*store)(int32_t value);
};

// In the order the settings are stored. LastFolder is stored alone: FolderPath keeps its value.
const PrefsBox kBoxes[] = {
    {kPrefsLastFolder, [] { return int32_t(getLastFolder(nullptr, 0) == 1); },
     [](int32_t on) { setLastFolder(on, nullptr); }},
    {kPrefsLogging, [] { return int32_t(getLogging() > 0); }, setLogging},
    {kPrefsAddAlways, [] { return int32_t(getAddAlways() == 1); }, setAddAlways},
    {kPrefsOverwriteWarning, [] { return int32_t(getOverwriteWarning() != 0); },
     setOverwriteWarning},
    {kPrefsJobSlug, [] { return int32_t(getJobSlug() != 0); }, setJobSlug},
    {kPrefsTracking, [] { return int32_t(getTracking() != 0); }, setTracking},
    {kPrefsAbortOnOverflow, [] { return int32_t(getAbortOnOverflow() != 0); }, setAbortOnOverflow},
};

bool fillBoxes(HWND dialog, void*) {
    for (const PrefsBox& box : kBoxes)
        setControlValueById(dialog, box.id, box.inForce());
    return true;
}

bool storeBoxes(HWND, HWND dialog, void*) {
    for (const PrefsBox& box : kBoxes)
        box.store(getControlValueById(dialog, box.id) != 0 ? 1 : 0);
    // A failed write is reported by the store; the values stay in memory all the same.
    savePrefs();
    endDialog(dialog, IDOK);
    return true;
}

bool startPrefs(HWND dialog, void* owner) {
    setCommandProc(dialog, IDOK, storeBoxes, owner);
    return fillBoxes(dialog, owner);
}

} // namespace

int runPrefsDialog() {
    return runDialog("PREFS", startPrefs, nullptr) == IDOK ? 1 : 2;
}
