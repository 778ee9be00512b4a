#pragma once
#include <windows.h>

// The plug-in's own module: resources are always loaded from here, never from the host's exe.
HINSTANCE pluginModule();
