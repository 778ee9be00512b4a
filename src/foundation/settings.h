#pragma once
#include <cstddef>
#include <cstdint>

// Typed accessors of the keys of the section "General". Values are read from the store every
// time, so a reload of the file takes effect at the next read. Setters change the store in
// memory; those that say so also write the file.

int32_t getAbortOnOverflow(); // default 0
void setAbortOnOverflow(int32_t value);
int32_t getAddAlways(); // default 1
void setAddAlways(int32_t value);
int32_t getAllPages(); // default 0
int32_t getJobSlug();  // default 0
void setJobSlug(int32_t value);
int32_t getTracking(); // default 0
void setTracking(int32_t value);
int32_t getLogging();           // default 0
void setLogging(int32_t value); // also switches the log at once
int32_t getOverwriteWarning();  // default 0
void setOverwriteWarning(int32_t value);
int32_t getShowAfterExport(); // default 0
int32_t getAddBlack();        // default 0

// LastFolder (default 0); when it is 1 and a buffer is given, FolderPath is copied into it
// (cut to fit; empty when missing).
int32_t getLastFolder(char* folder, size_t size);
// Stores LastFolder; with flag 1 and a path, also FolderPath, and writes the file.
void setLastFolder(int32_t flag, const char* folder);
// Stores FolderPath and writes the file.
void setFolderPath(const char* folder);

// OutputStyle: the name of the style used last; empty when never set.
void getOutputStyle(char* name, size_t size);
// Stores OutputStyle and writes the file.
void setOutputStyle(const char* name);

extern const char* const kGeneralSection;

class CMyPrefs;
// The store itself, for the reload and for sections of other subsystems.
CMyPrefs& settingsStore();
