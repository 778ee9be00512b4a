#pragma once
#include "resources/dialog_ids.h"

// The preferences dialog "PREFS": seven switches of the section "General". OK stores them and
// writes the file at once; Cancel and the close box store nothing. Returns 1 for OK, else 2.
int runPrefsDialog();

// Control ids of the template.
enum PrefsDialogControl {
    kPrefsLastFolder = IDC_PREFS_LAST_FOLDER,
    kPrefsLogging = IDC_PREFS_LOGGING,
    kPrefsAddAlways = IDC_PREFS_ADD_ALWAYS,
    kPrefsOverwriteWarning = IDC_PREFS_OVERWRITE_WARNING,
    kPrefsJobSlug = IDC_PREFS_JOB_SLUG,
    kPrefsTracking = IDC_PREFS_TRACKING,
    kPrefsAbortOnOverflow = IDC_PREFS_ABORT_ON_OVERFLOW,
};
