#pragma once

// The product version, set here and nowhere else: the code (log, About box, PostScript header)
// and the DLL's version resource (src/resources/Kestrix.rc) both read it. The text is the
// major number, a dot and the minor number in two digits.
#define KX_VERSION_MAJOR 7
#define KX_VERSION_MINOR 3
#define KX_VERSION_TEXT "7.03"

#ifndef RC_INVOKED
#include <cstdint>

// The plug-in's identifier: the host knows it by it, and it is the owner code under which
// Kestrix keeps its data in layouts, documents and output styles ("AYWB" in memory order).
constexpr uint32_t kPluginId = 0x41595742;

const char* productVersionText();
#endif
