#pragma once

// Gives the export engine its Windows user interface: the toolkit's message box and progress
// dialog, and the export Save As dialog. Done once the toolkit is initialised; repeating it
// does no harm.
void installExportUi();
