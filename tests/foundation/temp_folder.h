#pragma once
// A fresh folder in the system's temp folder, removed with its contents at the end, and
// byte-exact file helpers. Paths are UTF-8, as the foundation takes them.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace fs = std::filesystem;

class TempFolder {
  public:
    explicit TempFolder(const std::string& tag) {
        dir_ = fs::temp_directory_path() /
               fs::u8path(tag + "-" + std::to_string(std::random_device()()));
        fs::create_directories(dir_);
    }
    ~TempFolder() {
        std::error_code ignored;
        for (auto& entry : fs::recursive_directory_iterator(dir_, ignored))
            fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
        fs::remove_all(dir_, ignored);
    }
    // The folder, or a path inside it ("a/b" gets the platform's separator).
    std::string path(const std::string& relative = "") const {
        fs::path full = relative.empty() ? dir_ : dir_ / fs::u8path(relative);
        return full.make_preferred().u8string();
    }

  private:
    fs::path dir_;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(fs::u8path(path), std::ios::binary) << bytes;
}

inline bool pathExists(const std::string& path) {
    return fs::exists(fs::u8path(path));
}

// CR and LF made visible, so that a failed byte comparison reads.
inline std::string showBytes(const std::string& bytes) {
    std::string out;
    for (char c : bytes)
        out += c == '\r' ? "<CR>" : c == '\n' ? "<LF>" : std::string(1, c);
    return out;
}
