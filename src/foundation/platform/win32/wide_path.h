#pragma once
// UTF-8 <-> UTF-16 at the Windows file calls. Strict: a path that is not valid UTF-8 has no
// wide form, so it counts as absent rather than naming some other file.
#include <cstddef>
#include <string>

bool widePath(const char* utf8, std::wstring& wide);
// widePath for the file functions: a long absolute path in its extended form (below).
bool wideFilePath(const char* utf8, std::wstring& wide);
// An absolute path too long for the plain file functions (MAX_PATH, less the 12 units that
// CreateDirectoryW keeps for a file name) made full and given the "\\?\" form ("\\?\UNC\" for
// a share): backslashes only, no "." or ".." components. Every other path comes back as it is:
// shorter ones, relative ones, and those already in a device or extended form.
std::wstring extendedPath(const std::wstring& path);
// Converts into dest; false (dest untouched) when the result would not fit in size bytes.
bool narrowPath(const wchar_t* wide, char* dest, size_t size);
