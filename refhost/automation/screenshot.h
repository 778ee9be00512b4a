#pragma once
#include <windows.h>

#include <string>

// Writes a PNG of the window's client area as it appears on the screen, or of the whole window
// with its frame and title (when something draws them); returns the reason on failure.
std::string saveWindowPng(HWND window, const std::wstring& path, bool withFrame = false);
