// Whole-file reads and writes by UTF-8 path; writes go to a temporary file that is renamed
// over the target so that a failed write never leaves a partial file.
#pragma once

#include <cstdint>
#include <string>

#include "model/path_names.h"

namespace refhost {

bool readWholeFile(const std::string& path, std::string& data);
// Refuses (false, error set) a name that does not fit the file system, as fileNameFits.
// diskFull, when given, tells whether a failure was a full disk.
bool writeFileAtomic(const std::string& path, const std::string& data, std::string* error,
                     bool* diskFull = nullptr);
// Writes path in place, with no temporary name: for a file no one reads before it is whole.
// Whatever a failed write left is removed. Refuses and reports as writeFileAtomic.
bool writeFileDirect(const std::string& path, const std::string& data, std::string* error,
                     bool* diskFull = nullptr);
// The bytes free to this user on the volume holding path's folder; UINT64_MAX when unknown.
uint64_t freeSpaceBeside(const std::string& path);
// The longest last component a new file may have, in UTF-16 units on Windows and in UTF-8
// bytes on the Unix file systems under Wine: the layer below cuts a longer name silently.
constexpr size_t kMaxFileName = 255;
// false, with a reason naming the path, when the last component is longer than kMaxFileName by
// either count.
bool fileNameFits(const std::string& path, std::string* error);
// A temporary file beside path, under a short name of its own, so that a target name near the
// limit does not push the temporary's name over it.
std::string temporaryBeside(const std::string& path);
bool fileExists(const std::string& path);
bool removeFile(const std::string& path);
// Replaces target by source (same folder), overwriting.
bool replaceFile(const std::string& source, const std::string& target);
// A rename within one volume, which replaces target as one step; false, with nothing changed,
// where a copy would be needed or target cannot be replaced.
bool renameOver(const std::string& source, const std::string& target);
// A path in the system's temporary folder unique to this process and call: "...\\tag-PID-N".
std::string temporaryPath(const std::string& tag);

} // namespace refhost
