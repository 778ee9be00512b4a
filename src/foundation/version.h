#pragma once
#include <cstdint>

// The product version, as the log and the About box show it.
#define KX_VERSION_TEXT "7.03"

// The plug-in's identifier: the host knows it by it, and it is the owner code under which
// Kestrix keeps its data in layouts, documents and output styles ("AYWB" in memory order).
constexpr uint32_t kPluginId = 0x41595742;

const char* productVersionText();
