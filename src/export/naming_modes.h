#pragma once
#include <cstdint>
#include <cstring>

// How a style names the files of a run, read from the values its record stores: "Numbers"
// 0 to 4 and the suffix "---".

enum class Numbering {
    Plain = 0,       // "%d"
    TwoDigits = 1,   // "%02d"
    ThreeDigits = 2, // "%03d"
    FourDigits = 3,  // "%04d"
    None = 4,        // no number in the name
};

// The stored value as a numbering. A value the pane never offers numbers plainly rather than
// making the files collide.
constexpr Numbering numberingOf(int32_t stored) {
    return stored >= 0 && stored <= 4 ? Numbering(stored) : Numbering::Plain;
}

enum class FileMode {
    FilePerPage,
    OneFile, // every page to one file, by design
};

// The stored suffix that asks for one file.
constexpr const char* kOneFileSuffix = "---";

inline FileMode fileModeOf(const char* suffix) {
    return strcmp(suffix, kOneFileSuffix) == 0 ? FileMode::OneFile : FileMode::FilePerPage;
}
