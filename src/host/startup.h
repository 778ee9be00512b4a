#pragma once

// The plug-in's start-up, once the host's tables are there: main window, preferences (taking
// over a file left in the old folder), log, the version line and the dialog toolkit.
void runStartup();
