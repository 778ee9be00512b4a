#pragma once
// UTF-8 inside the host, UTF-16 at the Windows calls.
#include <string>

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);
