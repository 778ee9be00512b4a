#pragma once

// The product version, set here and nowhere else: the code (log, About box, PostScript header)
// and the DLL's version resource (src/resources/Kestrix.rc) both read it. The text is the
// major number, a dot and the minor number in two digits.
#define KX_VERSION_MAJOR 7
#define KX_VERSION_MINOR 3
#define KX_VERSION_TEXT "7.03"

#ifndef RC_INVOKED
const char* productVersionText();
#endif
