#pragma once
// File and folder operations on UTF-8 paths. The Windows forms use the wide-character functions
// throughout, so paths outside the ANSI code page work; a path that is not valid UTF-8 counts as
// absent. Failures are reported only by the result.
#include <cstddef>
#include <cstdint>
#include <cstdio>

enum class KnownFolder { Documents, LocalAppData };

// true when a file or folder exists at the path; false for an empty path.
bool fileExists(const char* path);

// true when the path exists and is neither a folder nor hidden.
bool isVisibleFile(const char* path);

// true when a file exists at the path and is marked read-only.
bool isReadOnlyFile(const char* path);

// Creates the folder (not its parents); true only when this call created it.
bool createFolder(const char* path);

// true when nothing exists at the path afterwards; a read-only attribute is cleared first.
bool deleteFile(const char* path);

// Moves source into destFolder under newName (or the source's own name), replacing a file of
// that name, copying across volumes and writing through. destFolder (of destSize bytes) holds
// the full destination afterwards; it is left unchanged when that path would not fit.
bool moveFile(const char* source, char* destFolder, size_t destSize, const char* newName);

// A runtime stream on the path, mode "rb", "wb", "ab", "rb+"...; nullptr when it cannot be opened.
FILE* openStream(const char* path, const char* mode);

// The low 32 bits of the file's modification time in seconds; 0 when it does not exist.
uint32_t modificationTime(const char* path);

// The folder's full path without trailing separator. false, and dest untouched, when the system
// reports none or it does not fit. The POSIX forms follow the XDG conventions.
bool knownFolderPath(KnownFolder folder, char* dest, size_t size);
bool documentsFolder(char* dest, size_t size);
bool localAppDataFolder(char* dest, size_t size);

// Building blocks of the operations above, also used by the preferences store.

// Renames source to destination in one step, replacing it, writing through; same volume only.
bool replaceFileAtomically(const char* source, const char* destination);
// As replaceFileAtomically, but falls back to copy and delete across volumes.
bool moveFileReplacing(const char* source, const char* destination);
// Flushes the stream and asks the system to put its data on the disk.
bool flushStreamToDisk(FILE* stream);
