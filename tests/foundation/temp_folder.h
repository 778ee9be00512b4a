#pragma once
// A fresh folder under the system's temp folder, removed with everything in it at the end, and
// byte-exact file helpers. Paths are UTF-8, as the foundation takes them.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

class TempFolder {
  public:
    explicit TempFolder(const std::string& tag = "kx") {
        std::random_device random;
        auto base = std::filesystem::temp_directory_path();
        do {
            dir_ = base / std::filesystem::u8path(tag + "-" + std::to_string(random()));
        } while (std::filesystem::exists(dir_));
        std::filesystem::create_directories(dir_);
    }
    ~TempFolder() {
        std::error_code ignored;
        for (auto& entry : std::filesystem::recursive_directory_iterator(dir_, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(dir_, ignored);
    }
    // The folder, or a path inside it ("a/b" is built with the platform separator).
    std::string path(const std::string& relative = "") const {
        auto full = relative.empty() ? dir_ : dir_ / std::filesystem::u8path(relative);
        return full.make_preferred().u8string();
    }

  private:
    std::filesystem::path dir_;
};

inline std::string readBytes(const std::string& utf8Path) {
    std::ifstream in(std::filesystem::u8path(utf8Path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& utf8Path, const std::string& bytes) {
    std::ofstream out(std::filesystem::u8path(utf8Path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline bool pathExists(const std::string& utf8Path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::u8path(utf8Path), ignored);
}

// CR and LF made visible, so that a failed byte comparison reads.
inline std::string showBytes(const std::string& bytes) {
    std::string out;
    for (char c : bytes)
        out += c == '\r'   ? std::string("<CR>")
               : c == '\n' ? std::string("<LF>")
                           : std::string(1, c);
    return out;
}
