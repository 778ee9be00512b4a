#pragma once
// The trace log: Documents, folder "Quendrel", file "Kestrix.txt", started afresh at each start.
// Lines are written only while the level is above 0; each one opens and closes the file.
#include <cstdarg>
#include <cstddef>

// Sets the log path (company folder, default "Quendrel"; base name, default "Kestrix"), creates
// the company folder, deletes the previous log (even when read-only) and sets the level.
void startLog(int level, const char* companyFolder, const char* baseName);
void setLogLevel(int level);
int logLevel();
// The current log path; empty before startLog or when the Documents folder is unknown.
const char* logPath();

// Writes "hh:mm:ss:mmm: " followed by the formatted text and CR LF. Texts beyond 7999 bytes
// are cut, at a character boundary.
void logLine(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

struct LocalClock {
    int hour;
    int minute;
    int second;
    int millisecond;
};
// The local wall-clock time (platform layer).
LocalClock localClockNow();

// The line as logLine writes it, into out (of outSize bytes, at least 32); returns its length.
size_t formatLogLine(char* out, size_t outSize, const LocalClock& clock, const char* format,
                     va_list arguments);
