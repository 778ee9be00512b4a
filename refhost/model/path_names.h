// The parts of a path, by text alone: Windows and Unix separators both count.
#pragma once

#include <string>

namespace refhost {

std::string fileNameOf(const std::string& path);
std::string folderOf(const std::string& path); // without trailing separator; "" when none

} // namespace refhost
