#pragma once
// Path texts: NUL-terminated UTF-8 in caller buffers. Components are separated by "\\", except
// in a path that begins with "/", which uses "/" throughout (the POSIX form of the same paths).
// Every operation that writes takes the buffer size and refuses, leaving the buffer as it was,
// when its result would not fit.
#include <cstddef>
#include <cstdint>
#include <string>

// The separator that the path uses: "/" when it begins with "/", else "\\".
char pathSeparatorOf(const char* path);

// Appends the separator (unless the path is empty or already ends in one) and the component.
bool appendPathComponent(char* path, size_t size, const char* component);

// Appends "." and the extension (given without its ".").
bool appendExtension(char* path, size_t size, const char* extension);

// Overwrites the last component's extension from its last "." with newExtension (which carries
// its own "."), or appends newExtension when the last component has no ".". An empty
// newExtension cuts the extension off.
bool replaceExtension(char* path, size_t size, const char* newExtension);

// Copies the last component (the whole path when it has no separator) into dest, without its
// extension unless keepExtension. false and an empty dest when it does not fit.
bool fileNameOf(const char* path, char* dest, size_t size, bool keepExtension);

// Cuts the path at its last separator, leaving the parent folder without a trailing separator
// ("/" stays for a child of the POSIX root). A path without separator is unchanged.
void stripLastComponent(char* path);

// true when text ends with suffix, ignoring ASCII case.
bool endsWith(const char* text, const char* suffix);

// Compares two file names (UTF-8) as the Windows file system does, so that names it takes for
// one file compare equal: case is ignored over the whole of Unicode, not ASCII only ("Ä" and
// "ä", "Σ" and "σ" are one name), and so are the trailing dots and spaces that Windows drops
// from a name ("a." is "a"). <0, 0, >0; a consistent order for sorting and sets.
int32_t compareFileNames(const char* a, const char* b);
struct FileNameLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return compareFileNames(a.c_str(), b.c_str()) < 0;
    }
};

// true when Windows takes the file name (a last component, UTF-8) for a device rather than a
// file: CON, PRN, AUX, NUL, COM1-9, LPT1-9 (and COM and LPT with a superscript 1, 2 or 3), in
// any case, whatever follows their first "." and with trailing spaces, as Windows strips them.
bool isReservedDeviceName(const char* name);
