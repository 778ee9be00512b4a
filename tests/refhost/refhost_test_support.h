// Shared pieces of the reference host's tests: a temporary folder and file helpers.
#pragma once

#include <string>

namespace refhost_test {

// A fresh folder under the system's temporary folder, removed with its files at the end.
class CMyTempDir {
  public:
    CMyTempDir();
    ~CMyTempDir();
    CMyTempDir(const CMyTempDir&) = delete;
    CMyTempDir& operator=(const CMyTempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

std::string readText(const std::string& path);
bool writeText(const std::string& path, const std::string& text);
// Number of files in a folder (temporaries included).
int countFiles(const std::string& folder);
// A file of the source tree (KX_SOURCE_DIR) as a host path.
std::string sourceFile(const std::string& relative);

} // namespace refhost_test
