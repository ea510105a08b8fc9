#include "cli/Wildcards.h"

#include <filesystem>
#include <system_error>

#include "base/RuntimeError.h"
#include "platform/NativePath.h"
#include "support/Files.h"

namespace {

bool IsSeparator(char c) { return c == '/' || c == Files::PathSeparator; }

// The parts between separators; the separators stay with the part before
// them, so the parts joined give the pattern back.
std::vector<std::string> Parts(const std::string& pattern) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : pattern) {
        part += c;
        if (IsSeparator(c)) {
            parts.push_back(part);
            part.clear();
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

class Expansion {
public:
    explicit Expansion(std::vector<std::string> parts) : parts_(std::move(parts)) {}

    void From(const std::string& prefix, size_t part) {
        size_t next = part;
        std::string path = prefix;
        while (next < parts_.size() && !HasWildcards(parts_[next])) path += parts_[next++];
        if (next == parts_.size()) {
            std::error_code ignored;
            if (std::filesystem::exists(NativePath::FromText(path), ignored)) found_.push_back(path);
            return;
        }
        std::string name = parts_[next];
        const bool folderOnly = IsSeparator(name.back());
        if (folderOnly) name.pop_back();
        const std::string folder = path.empty() ? "." : path;
        try {
            const std::string separator = folderOnly ? std::string(1, parts_[next].back()) : "";
            if (!folderOnly) {
                for (const std::string& file : Files::ListFolder(folder, name, Files::EntryKind::Files)) {
                    From(path + file, next + 1);
                }
            }
            for (const std::string& sub : Files::ListFolder(folder, name, Files::EntryKind::Folders)) {
                From(path + sub + separator, next + 1);
            }
        } catch (const RuntimeError&) {
            // A folder that cannot be listed matches nothing.
        }
    }

    std::vector<std::string> Found() { return std::move(found_); }

private:
    std::vector<std::string> parts_;
    std::vector<std::string> found_;
};

}  // namespace

bool HasWildcards(std::string_view path) { return path.find_first_of("*?") != std::string_view::npos; }

std::vector<std::string> ExpandWildcards(const std::string& pattern) {
    Expansion expansion(Parts(pattern));
    expansion.From("", 0);
    return expansion.Found();
}
