#pragma once

// The module whose resources we read: the plug-in DLL itself, never the host's program.
// The library entry records it; test programs may point it at a loaded Kestrix.dll.
void setResourceModule(void* module);
void* resourceModule();
