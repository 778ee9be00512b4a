#include "host/prefs_dialog.h"

#include <windows.h>

#include "dialogs/control_access.h"
#include "dialogs/dialog_runtime.h"
#include "foundation/prefs.h"
#include "foundation/settings.h"

namespace {

// A box shows whether its setting is in force, as the code that reads the setting sees it: a
// hand-edited 2 in JobSlug is off, since the job slug runs only for 1.
struct PrefsBox {
    int id;
    int32_t (*read)();
    bool (*inForce)(int32_t value);
    void (*store)(int32_t value);
};

bool isOne(int32_t value) {
    return value == 1;
}
bool isSet(int32_t value) {
    return value != 0;
}
bool isPositive(int32_t value) {
    return value > 0;
}

// In the order the settings are stored. LastFolder is stored alone: FolderPath keeps its value.
// Tracking other than 0 records opening and saving (output only with 1), so it shows as on.
const PrefsBox kBoxes[] = {
    {kPrefsLastFolder, [] { return getLastFolder(nullptr, 0); }, isOne,
     [](int32_t value) { setLastFolder(value, nullptr); }},
    {kPrefsLogging, getLogging, isPositive, setLogging},
    {kPrefsAddAlways, getAddAlways, isOne, setAddAlways},
    {kPrefsOverwriteWarning, getOverwriteWarning, isSet, setOverwriteWarning},
    {kPrefsJobSlug, getJobSlug, isOne, setJobSlug},
    {kPrefsTracking, getTracking, isSet, setTracking},
    {kPrefsAbortOnOverflow, getAbortOnOverflow, isOne, setAbortOnOverflow},
};
constexpr size_t kBoxCount = sizeof kBoxes / sizeof kBoxes[0];

// What each box showed when the dialog opened.
struct PrefsShown {
    bool on[kBoxCount];
};

bool fillBoxes(HWND dialog, void* owner) {
    PrefsShown& shown = *static_cast<PrefsShown*>(owner);
    for (size_t i = 0; i < kBoxCount; ++i) {
        shown.on[i] = kBoxes[i].inForce(kBoxes[i].read());
        setControlValueById(dialog, kBoxes[i].id, shown.on[i] ? 1 : 0);
    }
    return true;
}

bool storeBoxes(HWND, HWND dialog, void* owner) {
    const PrefsShown& shown = *static_cast<const PrefsShown*>(owner);
    for (size_t i = 0; i < kBoxCount; ++i) {
        bool on = getControlValueById(dialog, kBoxes[i].id) != 0;
        // A box left as it was keeps its value: confirming must not turn Tracking 2, which
        // records opening and saving, into 1 or 0.
        kBoxes[i].store(on == shown.on[i] ? kBoxes[i].read() : on ? 1 : 0);
    }
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
    PrefsShown shown{};
    return runDialog("PREFS", startPrefs, &shown) == IDOK ? 1 : 2;
}
