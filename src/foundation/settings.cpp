#include "foundation/settings.h"

#include "foundation/log.h"
#include "foundation/prefs.h"

const char* const kGeneralSection = "General";

static int32_t readInt(const char* key, int32_t fallback) {
    return getPrefInt(kGeneralSection, key, fallback);
}
static void writeInt(const char* key, int32_t value) {
    setPrefInt(kGeneralSection, key, value);
}

static void readText(const char* key, char* text, size_t size) {
    if (!text || size == 0) return;
    text[0] = 0;
    if (getPrefString(kGeneralSection, key, text, size) < 0) text[0] = 0;
}

int32_t getAbortOnOverflow() {
    return readInt("AbortOnOverflow", 0);
}
void setAbortOnOverflow(int32_t value) {
    writeInt("AbortOnOverflow", value);
}
int32_t getAddAlways() {
    return readInt("AddAlways", 1);
}
void setAddAlways(int32_t value) {
    writeInt("AddAlways", value);
}
int32_t getAllPages() {
    return readInt("AllPages", 0);
}
int32_t getJobSlug() {
    return readInt("JobSlug", 0);
}
void setJobSlug(int32_t value) {
    writeInt("JobSlug", value);
}
int32_t getTracking() {
    return readInt("Tracking", 0);
}
void setTracking(int32_t value) {
    writeInt("Tracking", value);
}
int32_t getLogging() {
    return readInt("Logging", 0);
}
void setLogging(int32_t value) {
    writeInt("Logging", value);
    setLogLevel(value);
}
int32_t getOverwriteWarning() {
    return readInt("OverwriteWarning", 0);
}
void setOverwriteWarning(int32_t value) {
    writeInt("OverwriteWarning", value);
}
int32_t getShowAfterExport() {
    return readInt("ShowAfterExport", 0);
}
int32_t getAddBlack() {
    return readInt("AddBlack", 0);
}

int32_t getLastFolder(char* folder, size_t size) {
    int32_t flag = readInt("LastFolder", 0);
    if (folder && size) {
        folder[0] = 0;
        if (flag == 1) readText("FolderPath", folder, size);
    }
    return flag;
}

void setLastFolder(int32_t flag, const char* folder) {
    writeInt("LastFolder", flag);
    if (flag == 1 && folder) {
        setPrefString(kGeneralSection, "FolderPath", folder);
        savePrefs();
    }
}

void setFolderPath(const char* folder) {
    setPrefString(kGeneralSection, "FolderPath", folder ? folder : "");
    savePrefs();
}

void getOutputStyle(char* name, size_t size) {
    readText("OutputStyle", name, size);
}

void setOutputStyle(const char* name) {
    setPrefString(kGeneralSection, "OutputStyle", name ? name : "");
    savePrefs();
}

CMyPrefs& settingsStore() {
    return thePrefs();
}
