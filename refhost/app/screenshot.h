#pragma once
#include <windows.h>

#include <string>

// Writes a PNG of the window as it appears on the screen; returns the reason on failure.
std::string saveWindowPng(HWND window, const std::wstring& path);
