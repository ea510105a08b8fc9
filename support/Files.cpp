#include "support/Files.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "base/RuntimeError.h"
#include "platform/DirectorySearch.h"
#include "platform/FileEntries.h"
#include "platform/PathWalk.h"
#include "platform/WindowsCode.h"
#include "support/Errors.h"
#include "support/FileHandle.h"
#include "support/General.h"
#include "support/SearchTable.h"

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

// This is where a failure becomes what the callers of the file helpers read:
// the Windows system error code and its text in the shared error record.
void RecordFailure(const RuntimeError& failure, std::string_view extendedInfo) {
    const int32_t code = WindowsCode::Of(failure);
    Errors::RecordError(code, Errors::ErrorText(code), extendedInfo);
}

// The path as the search is given it: up to a NUL it may hold, as the
// system's search would read it.
std::string SearchPath(std::string_view path) {
    const auto prepared = General::NullTerminate(path, false);
    return prepared ? std::string(prepared->c_str()) : std::string();
}

// 1 when the next entry was read, 0 when none is left or the folder cannot
// be read on.
int32_t ReadNext() {
    DirectorySearch::Search* search = SearchTable::Find(SearchHandle().Handle());
    try {
        return search != nullptr && search->Next(Entry) ? 1 : 0;
    } catch (const RuntimeError&) {
        return 0;
    }
}

// The search's number, or -1 with the failure when it cannot start.
int32_t StartSearch(std::string_view path, std::optional<RuntimeError>& failure) {
    FileHandle& search = SearchHandle();
    if (search.Handle() > 0)
        search.SetHandle(0);
    try {
        search.SetHandle(SearchTable::Keep(std::make_unique<DirectorySearch::Search>(SearchPath(path), Entry)));
    } catch (const RuntimeError& error) {
        failure = error;
        search.SetHandle(-1);
    }
    return search.Handle();
}

// FindEntry, handing a failed start to the caller instead of recording it.
std::string FindEntryOrFailure(std::string_view path, bool useShortName, std::optional<RuntimeError>& failure) {
    FileHandle& search = SearchHandle();
    int32_t outcome;
    if (!path.empty())
        outcome = StartSearch(path, failure);
    else
        outcome = search.Handle() > 0 ? ReadNext() : 0;

    while (outcome > 0 && IsDotEntry(Entry))
        outcome = ReadNext();

    if (outcome <= 0) {
        if (search.Handle() > 0)
            search.SetHandle(0);
        return {};
    }
    return useShortName ? NameOf(Entry.cAlternateFileName) : NameOf(Entry.cFileName);
}

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool IsListed(const DirectorySearch::FindData& entry, EntryKind kind) {
    if ((entry.dwFileAttributes & DirectorySearch::AttributeHidden) != 0 || IsDotEntry(entry))
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

// The runtime error of a listing that failed: a missing folder and a refusal
// keep their numbers, anything else is an access error.
[[noreturn]] void RaiseListingError(const RuntimeError& failure) {
    const int32_t number = failure.Number();
    RuntimeError::Raise(number == ErrorNumber::PathNotFound || number == ErrorNumber::PermissionDenied
                            ? number
                            : ErrorNumber::PathFileAccessError,
                        failure.SystemCode());
}

}  // namespace

std::string FindEntry(std::string_view path, bool useShortName) {
    std::optional<RuntimeError> failure;
    std::string name = FindEntryOrFailure(path, useShortName, failure);
    if (failure)
        RecordFailure(*failure, "");
    return name;
}

// A search of its own, so that the search of FindEntry in progress goes on.
bool PathExists(std::string_view path) {
    // An empty path would continue a search in progress rather than name an
    // entry: it names nothing, so it exists nowhere.
    if (path.empty())
        return false;
    DirectorySearch::FindData entry;
    std::unique_ptr<DirectorySearch::Search> search;
    try {
        search = std::make_unique<DirectorySearch::Search>(SearchPath(path), entry);
    } catch (const RuntimeError& failure) {
        RecordFailure(failure, "");
        return false;
    }
    try {
        while (IsDotEntry(entry))
            if (!search->Next(entry))
                return false;
    } catch (const RuntimeError&) {
        return false;
    }
    return !NameOf(entry.cFileName).empty();
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
    std::optional<RuntimeError> failure;
    try {
        FileEntries::DeleteFile(path);
        return true;
    } catch (const RuntimeError& deletion) {
        failure = deletion;
    }

    // The system may know the file by a short name that deletes where the
    // long one failed. Where it gives none the look-up comes back empty, and
    // what is recorded is why the look-up failed, or else why the deletion
    // did.
    const std::string folder = ParentFolder(path);
    std::optional<RuntimeError> lookUpFailure;
    const std::string shortName = FindEntryOrFailure(path, true, lookUpFailure);
    std::string retryPath;
    if (!shortName.empty()) {
        retryPath = folder + PathSeparator + shortName;
        try {
            FileEntries::DeleteFile(retryPath);
            return true;
        } catch (const RuntimeError& retry) {
            failure = retry;
        }
    } else if (lookUpFailure) {
        failure = lookUpFailure;
    }
    RecordFailure(*failure, LowerCase(retryPath));
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
    std::unique_ptr<DirectorySearch::Search> search;
    try {
        search = std::make_unique<DirectorySearch::Search>(path, entry);
    } catch (const RuntimeError& failure) {
        if (failure.Number() == ErrorNumber::FileNotFound)
            return {};
        RaiseListingError(failure);
    }
    std::vector<std::string> names;
    try {
        do {
            // The name as it is, blanks and all: it is opened by it.
            if (IsListed(entry, kind))
                names.emplace_back(entry.cFileName.data());
        } while (search->Next(entry));
    } catch (const RuntimeError& failure) {
        RaiseListingError(failure);
    }
    std::sort(names.begin(), names.end(), ComesBefore);
    return names;
}

}  // namespace Files
