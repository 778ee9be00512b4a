#pragma once
#include <cstddef>

// The native build has no module resources; tests register named blocks instead.
void registerResource(const char* name, const char* type, const void* data, size_t size);
// Registers the contents of a file; false when it cannot be read.
bool registerResourceFile(const char* name, const char* type, const char* path);
void clearRegisteredResources();
