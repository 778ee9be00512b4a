#pragma once

// Shows the preferences store's failures (a file that cannot be read or written) in the plug-in's
// message box, with the path as the detail line.
void showPrefsMessage(const char* key, const char* detail, void* owner);

// Connects the store to the message box and shows a file that start-up could not read;
// start-up calls it once the toolkit is up.
void installPrefsMessages();
