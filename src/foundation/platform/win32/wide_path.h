#pragma once
// UTF-8 <-> UTF-16 at the Windows file calls. Strict: a path that is not valid UTF-8 has no
// wide form, so it counts as absent rather than naming some other file.
#include <cstddef>
#include <string>

bool widePath(const char* utf8, std::wstring& wide);
// Converts into dest; false (dest untouched) when the result would not fit in size bytes.
bool narrowPath(const wchar_t* wide, char* dest, size_t size);
