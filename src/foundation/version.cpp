#include "foundation/version.h"

const char* productVersionText() {
    return KX_VERSION_TEXT;
}
