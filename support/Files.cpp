#include "support/Files.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "support/DirectorySearch.h"
#include "support/Errors.h"
#include "support/FileEntries.h"
#include "support/FileHandle.h"
#include "support/General.h"
#include "support/PathWalk.h"
#include "support/RuntimeError.h"
#include "support/SystemErrors.h"

namespace Files {

namespace {

// Created by the first FindEntry; released with the program, which closes a
// search still open then.
std::unique_ptr<FileHandle>& SearchHandleSlot() {
    static std::unique_ptr<FileHandle> searchHandle;
    return searchHandle;
}

FileHandle& SearchHandle() {
    auto& slot = SearchHandleSlot();
    if (!slot)
        slot = std::make_unique<FileHandle>();
    return *slot;
}

// The entry the search read last.
DirectorySearch::FindData Entry;

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A name field's text: up to its terminating NUL, blanks around it removed.
template <size_t N>
std::string NameOf(const std::array<char, N>& field) {
    const auto end = std::find(field.begin(), field.end(), '\0');
    return std::string(TrimBlanks(std::string_view(field.data(), static_cast<size_t>(end - field.begin()))));
}

bool IsDotEntry(const DirectorySearch::FindData& entry) {
    const char* name = entry.cFileName.data();
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// 1 when the next entry was read, 0 when none is left.
int32_t ReadNext() { return DirectorySearch::FindNextFile(SearchHandle().Handle(), &Entry) ? 1 : 0; }

int32_t StartSearch(std::string_view path) {
    FileHandle& search = SearchHandle();
    if (search.Handle() > 0)
        search.SetHandle(0);
    const auto prepared = General::NullTerminate(path, false);
    search.SetHandle(DirectorySearch::FindFirstFile(prepared ? prepared->c_str() : nullptr, &Entry));
    return search.Handle();
}

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The runtime error of a listing that failed with the system error `code`.
[[noreturn]] void RaiseListingError(int32_t code) {
    RuntimeError::Raise(code == SystemErrorCode::PathNotFound    ? ErrorNumber::PathNotFound
                        : code == SystemErrorCode::AccessDenied ? ErrorNumber::PermissionDenied
                                                                : ErrorNumber::PathFileAccessError);
}

bool IsListed(const DirectorySearch::FindData& entry, EntryKind kind) {
    if ((entry.dwFileAttributes & DirectorySearch::AttributeHidden) != 0 ||
        std::strcmp(entry.cFileName.data(), ".") == 0 || std::strcmp(entry.cFileName.data(), "..") == 0)
        return false;
    const bool folder = (entry.dwFileAttributes & DirectorySearch::AttributeDirectory) != 0;
    return folder == (kind == EntryKind::Folders);
}

// Case-folded first, so "b.gtp" sorts between "A.GTP" and "C.GTP"; names
// that differ in case only keep a fixed order.
bool ComesBefore(const std::string& left, const std::string& right) {
    const std::string foldedLeft = LowerCase(left), foldedRight = LowerCase(right);
    return foldedLeft != foldedRight ? foldedLeft < foldedRight : left < right;
}

}  // namespace

std::string FindEntry(std::string_view path, bool useShortName) {
    FileHandle& search = SearchHandle();
    int32_t outcome;
    if (!path.empty())
        outcome = StartSearch(path);
    else
        outcome = search.Handle() > 0 ? ReadNext() : 0;

    while (outcome > 0 && IsDotEntry(Entry))
        outcome = ReadNext();

    if (outcome < 0) {
        const int32_t code = SystemErrors::LastErrorCode();
        Errors::RecordError(code, Errors::ErrorText(code), "");
        return {};
    }
    if (outcome == 0) {
        if (search.Handle() > 0)
            search.SetHandle(0);
        return {};
    }
    return useShortName ? NameOf(Entry.cAlternateFileName) : NameOf(Entry.cFileName);
}

bool PathExists(std::string_view path) {
    // An empty path would continue a search in progress rather than name an
    // entry: it names nothing, so it exists nowhere.
    const bool exists = !path.empty() && !FindEntry(path).empty();
    SearchHandle().SetHandle(0);
    return exists;
}

std::string ParentFolder(std::string_view path) {
    const std::string_view trimmed = TrimBlanks(path);
    const auto separator = trimmed.rfind(PathSeparator);
    if (separator == std::string_view::npos)
        return {};
    return std::string(TrimBlanks(trimmed.substr(0, separator)));
}

std::string NearestExistingPart(std::string_view path) { return PathWalk::NearestExistingPart(TrimBlanks(path)); }

bool RemoveFile(std::string_view path) {
    if (TrimBlanks(path).empty()) {
        Errors::RecordError(ErrorNumber::NoFileSpecified, "No File Specified", "");
        return false;
    }
    if (FileEntries::DeleteFile(std::string(path).c_str()))
        return true;

    // The system may know the file by a short name that deletes where the
    // long one failed. Where it gives none the look-up comes back empty, and
    // the code left by the failed deletion is what is recorded.
    const std::string folder = ParentFolder(path);
    const std::string shortName = FindEntry(path, true);
    std::string retryPath;
    int32_t code;
    if (!shortName.empty()) {
        retryPath = folder + PathSeparator + shortName;
        if (FileEntries::DeleteFile(retryPath.c_str()))
            return true;
    }
    code = SystemErrors::LastErrorCode();
    Errors::RecordError(code, Errors::ErrorText(code), LowerCase(retryPath));
    return false;
}

bool RenameFile(std::string_view oldPath, std::string_view newPath) {
    try {
        FileEntries::Rename(oldPath, newPath);
        return true;
    } catch (const RuntimeError& error) {
        Errors::RecordError(error.Number(), error.Description(), oldPath);
        return false;
    }
}

std::vector<std::string> ListFolder(std::string_view folder, std::string_view pattern, EntryKind kind) {
    const std::string path = std::string(folder) + PathSeparator + std::string(pattern);
    DirectorySearch::FindData entry;
    FileHandle search;
    search.SetHandle(DirectorySearch::FindFirstFile(path.c_str(), &entry));
    if (search.Handle() == DirectorySearch::InvalidHandle) {
        const int32_t code = SystemErrors::LastErrorCode();
        if (code == SystemErrorCode::FileNotFound)
            return {};
        RaiseListingError(code);
    }
    std::vector<std::string> names;
    do {
        // The name as it is, blanks and all: it is opened by it.
        if (IsListed(entry, kind))
            names.emplace_back(entry.cFileName.data());
    } while (DirectorySearch::FindNextFile(search.Handle(), &entry));
    if (SystemErrors::LastErrorCode() != SystemErrorCode::NoMoreFiles)
        RaiseListingError(SystemErrors::LastErrorCode());
    std::sort(names.begin(), names.end(), ComesBefore);
    return names;
}

}  // namespace Files
