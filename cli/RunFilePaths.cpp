#include "cli/RunFilePaths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/RuntimeError.h"
#include "cli/Report.h"
#include "platform/NativePath.h"
#include "support/Files.h"

namespace {

std::string Join(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == Files::PathSeparator) return folder + name;
    return folder + Files::PathSeparator + name;
}

bool IsFolder(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(NativePath::FromText(path), ignored);
}

class Walk {
public:
    Walk(bool recursive, const RunFileVisit& visit) : recursive_(recursive), visit_(visit) {}

    void Folder(const std::string& folder) {
        // A link back to a folder the walk is in would lead round for ever.
        std::error_code error;
        const std::filesystem::path identity = std::filesystem::canonical(NativePath::FromText(folder), error);
        if (!error && std::find(inside_.begin(), inside_.end(), identity) != inside_.end()) return;
        inside_.push_back(identity);
        try {
            for (const std::string& name : Files::ListFolder(folder, "*.gtp", Files::EntryKind::Files)) {
                visit_(Join(folder, name), std::nullopt);
            }
            if (recursive_) {
                for (const std::string& name : Files::ListFolder(folder, "*", Files::EntryKind::Folders)) {
                    Folder(Join(folder, name));
                }
            }
        } catch (const RuntimeError& failure) {
            visit_(folder, FailureText(failure.Number(), failure.Description()));
        }
        inside_.pop_back();
    }

private:
    bool recursive_;
    const RunFileVisit& visit_;
    std::vector<std::filesystem::path> inside_;
};

}  // namespace

void ForEachRunFile(const std::vector<std::string>& paths, bool recursive, const RunFileVisit& visit) {
    Walk walk(recursive, visit);
    for (const std::string& path : paths) {
        if (IsFolder(path)) {
            walk.Folder(path);
        } else {
            visit(path, std::nullopt);
        }
    }
}
