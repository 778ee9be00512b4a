#pragma once

// The product version, as the log and the About box show it.
#define KX_VERSION_TEXT "7.03"

const char* productVersionText();
