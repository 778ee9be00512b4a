#include "foundation/log.h"

#include "foundation/files.h"
#include "foundation/paths.h"

#include <cstdio>
#include <cstring>

static int gLogLevel = -1;
static char gLogPath[512];

static const size_t kLineSize = 8192;
static const size_t kTextSize = 8000;

void startLog(int level, const char* companyFolder, const char* baseName) {
    char path[sizeof gLogPath] = {};
    bool ok = documentsFolder(path, sizeof path);
    const char* company = companyFolder ? companyFolder : "Quendrel";
    if (ok && *company) {
        ok = appendPathComponent(path, sizeof path, company);
        if (ok && !fileExists(path)) createFolder(path);
    }
    ok = ok && appendPathComponent(path, sizeof path, baseName ? baseName : "Kestrix") &&
         appendExtension(path, sizeof path, "txt");
    // Without a usable path nothing is logged, rather than writing beside the host.
    strcpy(gLogPath, ok ? path : "");
    if (*gLogPath && fileExists(gLogPath)) deleteFile(gLogPath);
    gLogLevel = level;
}

void setLogLevel(int level) {
    gLogLevel = level;
}
int logLevel() {
    return gLogLevel;
}
const char* logPath() {
    return gLogPath;
}

// Backs off over a UTF-8 sequence that a cut at length would split.
static size_t characterBoundary(const char* text, size_t length) {
    size_t end = length;
    while (end > 0 && (static_cast<unsigned char>(text[end - 1]) & 0xC0) == 0x80)
        --end;
    if (end == 0) return length;
    unsigned char lead = static_cast<unsigned char>(text[end - 1]);
    size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return length - (end - 1) >= need ? length : end - 1;
}

size_t formatLogLine(char* out, size_t outSize, const LocalClock& clock, const char* format,
                     va_list arguments) {
    int stamp = snprintf(out, outSize, "%02d:%02d:%02d:%03d: ", clock.hour, clock.minute,
                         clock.second, clock.millisecond);
    if (stamp < 0 || static_cast<size_t>(stamp) + 3 > outSize) return 0;
    size_t room = outSize - static_cast<size_t>(stamp) - 2;
    if (room > kTextSize) room = kTextSize;
    char* text = out + stamp;
    int wanted = vsnprintf(text, room, format, arguments);
    size_t length = wanted < 0 ? 0 : static_cast<size_t>(wanted);
    if (length >= room) length = characterBoundary(text, room - 1);
    memcpy(text + length, "\r\n", 3);
    return static_cast<size_t>(stamp) + length + 2;
}

void logLine(const char* format, ...) {
    if (gLogLevel <= 0 || !*gLogPath || !format) return;
    static char line[kLineSize];
    va_list arguments;
    va_start(arguments, format);
    size_t length = formatLogLine(line, sizeof line, localClockNow(), format, arguments);
    va_end(arguments);
    FILE* file = openStream(gLogPath, "ab");
    if (!file) return;
    fwrite(line, 1, length, file);
    fclose(file);
}
