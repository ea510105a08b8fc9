#pragma once
// A fresh folder under /tmp for one test, removed with everything in it when
// the test ends, and small helpers to lay out and read back its files.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tachlet-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder itself, or the full path of an entry in it.
    std::string Path(std::string_view name = {}) const { return name.empty() ? path_ : path_ + "/" + std::string(name); }

    std::string Write(std::string_view name, std::string_view bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }

    std::string Read(std::string_view name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string MakeFolder(std::string_view name) const {
        std::filesystem::create_directory(Path(name));
        return Path(name);
    }

    bool Has(std::string_view name) const { return std::filesystem::exists(std::filesystem::symlink_status(Path(name))); }

private:
    std::string path_;
};

// The number of descriptors this process holds open: an open directory search
// holds one.
inline int OpenDescriptorCount() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}
