#pragma once
// A fresh temporary folder for one test, removed with everything in it at the
// end, with helpers to lay out and read back its files. Paths are UTF-8 text
// joined with the system's separator, as the program handles them.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

#include "support/Files.h"

// The path of UTF-8 text, for the standard library's file calls.
inline std::filesystem::path FsPath(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

class TempFolder {
public:
    TempFolder() {
        std::u8string base = std::filesystem::temp_directory_path().u8string();
        if (!base.empty() && (base.back() == u8'/' || base.back() == u8'\\')) base.pop_back();
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const std::string candidate = std::string(base.begin(), base.end()) + Files::PathSeparator + "tachlet-" +
                                          std::to_string(random() % 1'000'000'000u);
            if (std::filesystem::create_directory(FsPath(candidate))) path_ = candidate;
        }
        if (path_.empty()) throw std::runtime_error("no temporary folder could be made");
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(FsPath(path_), ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder itself, or the full path of an entry in it.
    std::string Path(std::string_view name = {}) const {
        return name.empty() ? path_ : path_ + Files::PathSeparator + std::string(name);
    }

    std::string Write(std::string_view name, std::string_view bytes) const {
        std::ofstream(FsPath(Path(name)), std::ios::binary) << bytes;
        return Path(name);
    }

    std::string Read(std::string_view name) const {
        std::ifstream in(FsPath(Path(name)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string MakeFolder(std::string_view name) const {
        std::filesystem::create_directory(FsPath(Path(name)));
        return Path(name);
    }

    bool Has(std::string_view name) const { return std::filesystem::exists(std::filesystem::symlink_status(FsPath(Path(name)))); }

private:
    std::string path_;
};
