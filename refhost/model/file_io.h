// Whole-file reads and writes by UTF-8 path; writes go to a temporary file that is renamed
// over the target so that a failed write never leaves a partial file.
#pragma once

#include <string>

namespace refhost {

bool readWholeFile(const std::string& path, std::string& data);
bool writeFileAtomic(const std::string& path, const std::string& data, std::string* error);
bool fileExists(const std::string& path);
bool removeFile(const std::string& path);
// Replaces target by source (same folder), overwriting.
bool replaceFile(const std::string& source, const std::string& target);
std::string fileNameOf(const std::string& path);
// A path in the system's temporary folder unique to this process and call: "...\\tag-PID-N".
std::string temporaryPath(const std::string& tag);
std::string folderOf(const std::string& path); // without trailing separator; "" when none

} // namespace refhost
