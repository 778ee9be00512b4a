#pragma once
// Shell and window services for the dialogs and the export run. The POSIX forms do nothing.

// Opens the document with its associated application, or starts application (when given) with
// the document as its parameter; true when the shell reports success.
bool openDocument(const char* document, const char* application);

// Centres the window (a window handle) horizontally on the primary screen, its top at a quarter
// of the free height, keeping its size.
void centreWindow(void* window);

// The default system sound.
void beep();
