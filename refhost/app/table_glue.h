#pragma once
// Hands the plug-in host the fillers of the tables whose functions are the application's.

namespace refhost {

void connectAppTables();

} // namespace refhost
