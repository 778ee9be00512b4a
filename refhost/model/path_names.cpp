#include "model/path_names.h"

namespace refhost {

std::string fileNameOf(const std::string& path) {
    size_t p = path.find_last_of("\\/:");
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string folderOf(const std::string& path) {
    size_t p = path.find_last_of("\\/");
    if (p == std::string::npos) return std::string();
    return path.substr(0, p);
}

} // namespace refhost
