#pragma once
#include <cstddef>
#include <cstdint>

// A minimal reader for our own embedded XML: elements are found by their literal start and end
// tags ("<name>" ... "</name>", ASCII case ignored); no attributes, nesting or entities.

constexpr int32_t kXmlMaxNameLength = 64; // longer names are never found by xmlGetText
constexpr int32_t kXmlMaxText = 250;      // element texts are cut to this many bytes
constexpr size_t kXmlValueSize = 251;     // the smallest value buffer callers hand in

// Copies the text of the first element named `name` (cut to 250 bytes and to valueSize - 1)
// into `value` and NUL-terminates it. Returns the bytes copied; 0 when the document is absent,
// the name is empty or longer than 64 bytes, or the element is missing.
int32_t xmlGetText(const char* document, const char* name, char* value,
                   size_t valueSize = kXmlValueSize);

// 1 for the text "true", 0 for "false", else the leading decimal number of the text;
// `fallback` when the element is missing or empty.
int32_t xmlGetInt(const char* document, const char* name, int32_t fallback);

// Receives a private NUL-terminated copy of one whole element (start tag to end tag).
// Returns true to go on, false to stop.
typedef bool (*XmlVisitor)(const char* element, int32_t length, void* context);

// Visits every element of that name in document order. A name may carry an attribute after a
// blank ("control type"); the end tag is then formed from the part before the blank.
void xmlForEachElement(const char* document, const char* name, XmlVisitor visitor, void* context);
