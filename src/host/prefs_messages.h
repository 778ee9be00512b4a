#pragma once

// Shows the preferences store's failures (a file that cannot be read or written) in the plug-in's
// message box, with the path as the detail line. Before the host has named its language the
// message is kept for showPendingPrefsMessage.
void showPrefsMessage(const char* key, const char* detail, void* owner);

// Connects the store to the message box and passes on a file that start-up could not read;
// start-up calls it once the toolkit is up.
void installPrefsMessages();

// Shows a message kept from before the language was known, in that language. The periodic
// message calls it: by then the host runs its loop, so a scripted host can answer the box.
void showPendingPrefsMessage();
