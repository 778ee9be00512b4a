#pragma once

// The preferences dialog "PREFS": seven switches of the section "General". OK stores them and
// writes the file at once; Cancel and the close box store nothing. Returns 1 for OK, else 2.
int runPrefsDialog();

// Control ids of the template.
enum PrefsDialogControl {
    kPrefsLastFolder = 3,
    kPrefsLogging = 4,
    kPrefsAddAlways = 5,
    kPrefsOverwriteWarning = 6,
    kPrefsJobSlug = 7,
    kPrefsTracking = 8,
    kPrefsAbortOnOverflow = 9,
};
