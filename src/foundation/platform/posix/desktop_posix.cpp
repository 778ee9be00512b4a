// The native build has no desktop: these exist so that shared code links.
#include "foundation/desktop.h"

bool openDocument(const char*, const char*) {
    return false;
}
void centreWindow(void*) {}
void beep() {}
