#pragma once
#include <cstddef>
#include <cstdint>

#include "export/export_types.h"

// Settings a run takes from the host's output style: Kestrix's file-naming record "FWiz", kept
// under Kestrix's own owner code, and the host's bleed and spreads switch.

StyleHandle findStyle(const char* name); // null when the host has no style of that name
uint32_t styleTypeOf(StyleHandle style); // kStyleTypeNone when the host reports no type
// A style Kestrix never saw gives zeros and empty texts; missing keys give the defaults.
FWiz readFileNaming(StyleHandle style);
void writeFileNaming(StyleHandle style, const FWiz& naming);
// The style's stored "Sep" or "Suffix" as it stands, up to size - 1 bytes, for showing a text
// that the record could not take whole (FWiz.namingTooLong). False, text untouched, when the
// style holds no such value.
bool readStoredNamingText(StyleHandle style, const char* key, char* text, size_t size);
Fixed readBleed(StyleHandle style); // points x 65536
bool styleExportsSpreads(StyleHandle style, uint32_t type);

// The Fixed value of a decimal text of points; 0 for an empty text.
Fixed fixedFromDecimal(const char* text);
