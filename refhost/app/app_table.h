#pragma once
// The application table: the main window, the frontmost layout and the plug-in dialogs.
// Window identifiers are document identifiers: each open project has one window.
#include "kxh_api.h"

namespace refhost {

void fillAppTable(KxhAppTable& table);

} // namespace refhost
