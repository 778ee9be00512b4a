#pragma once
#include <cstddef>
#include <cstdint>

#include "foundation/encoding.h"

// Interface language and the localised string table.
enum : int16_t { kLanguageEnglish = 0, kLanguageGerman = 3 };

constexpr size_t kLocalizedSize = 256; // the destination size callers hand in

// Host codes 3 and 19 select German, every other code English.
void setInterfaceLanguage(int16_t hostLanguage);
int16_t interfaceLanguage();

// The bytes of the module resource `name` (or `name`_D for German, or `name`_E) of `type`,
// followed by two zero bytes; the caller frees it with free(). Null when none is found.
char* loadResourceText(const char* name, const char* type, int16_t language);

// Replaces the table with "MyStrings" of the interface language. 0, or -1 when none is found.
int32_t loadStringTable();
// Drops the table: every lookup then returns its key.
void unloadStringTable();
const char* stringTable(); // null when no table is loaded

// The text for `key`, or the key itself (cut to fit) when it has no entry.
void localize(const char* key, char* dest, size_t destSize = kLocalizedSize);
// As localize, keeping a trailing "…", ":" or "?" of the key. The key's buffer is changed.
void localizeLabel(char* key, char* dest, size_t destSize = kLocalizedSize);
// localizeLabel's result as a temporary UTF-16 text; an empty text for an absent or empty key.
WideChar* localizeLabelWide(const char* key);
