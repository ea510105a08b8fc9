#include "platform/SystemFile.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/RuntimeError.h"
#include "platform/windows/WindowsErrors.h"

namespace SystemFile {

namespace {

// 100 ns steps from 1601, where the system's file times start, to 1970.
constexpr int64_t From1601To1970 = 116444736000000000;

HANDLE Native(Handle file) { return reinterpret_cast<HANDLE>(file); }

// The most one ReadFile or WriteFile call is asked to move.
constexpr size_t Chunk = 1u << 30;

OVERLAPPED At(int64_t offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(static_cast<uint64_t>(offset));
    at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
    return at;
}

uint64_t Join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

int64_t SizeOf(HANDLE file) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size))
        WindowsErrors::RaiseLastError();
    return size.QuadPart;
}

bool SetLength(HANDLE file, int64_t length) {
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = length;
    return ::SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end);
}

// A name that is a folder is refused as access denied; it is the wrong kind
// of entry rather than a refusal.
[[noreturn]] void RaiseOpenError(DWORD code, const std::wstring& path) {
    if (code == ERROR_ACCESS_DENIED) {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            RuntimeError::Raise(ErrorNumber::PathFileAccessError, static_cast<int32_t>(code));
    }
    WindowsErrors::RaiseRuntimeError(code);
}

// A device's name (NUL, COM1, on older systems also with an extension, as in
// COM1.GTP) is never opened: an open may have an effect on the device. The
// system tells it from the name alone, as the full path it makes of it lies
// in the device space. A path given in that space is left to the check of the
// open handle.
void RefuseDeviceNames(const std::wstring& path) {
    const auto inDeviceSpace = [](const std::wstring& text) {
        return text.rfind(L"\\\\.\\", 0) == 0 || text.rfind(L"\\\\?\\", 0) == 0;
    };
    if (inDeviceSpace(path))
        return;
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length > full.size()) {
        full.resize(length);
        length = ::GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    }
    if (length == 0)
        WindowsErrors::RaiseLastError();
    full.resize(length);
    if (inDeviceSpace(full))
        RuntimeError::Raise(ErrorNumber::PathFileAccessError);
}

// The volume's serial number and the file's index on it.
bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

BY_HANDLE_FILE_INFORMATION InformationOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info))
        WindowsErrors::RaiseLastError();
    return info;
}

}  // namespace

// Shared with nobody: while the file is open every other open of it fails
// with a sharing violation, in this program and in any other.
Handle OpenLocked(const std::string& path, OpenMode mode) {
    const auto wide = WindowsErrors::WidePath(path);
    if (!wide)
        WindowsErrors::RaiseRuntimeError(ERROR_INVALID_NAME);
    RefuseDeviceNames(*wide);
    const DWORD access = mode == OpenMode::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const HANDLE file = ::CreateFileW(wide->c_str(), access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        RaiseOpenError(::GetLastError(), *wide);
    if (::GetFileType(file) != FILE_TYPE_DISK) {  // a device such as NUL or COM1
        ::CloseHandle(file);
        RuntimeError::Raise(ErrorNumber::PathFileAccessError);
    }
    return reinterpret_cast<Handle>(file);
}

// The path is opened for no access at all, which no share mode refuses: the
// file's own lock does not keep this look out.
bool NamesFile(const std::string& path, Handle file) {
    const auto wide = WindowsErrors::WidePath(path);
    if (!wide)
        return false;
    const HANDLE named = ::CreateFileW(wide->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (named == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
            return false;
        WindowsErrors::RaiseRuntimeError(code);
    }
    BY_HANDLE_FILE_INFORMATION there{};
    const bool read = ::GetFileInformationByHandle(named, &there);
    const DWORD code = ::GetLastError();
    ::CloseHandle(named);
    if (!read)
        WindowsErrors::RaiseRuntimeError(code);
    return SameFile(there, InformationOf(Native(file)));
}

size_t ReadAt(Handle file, int64_t offset, std::span<uint8_t> buffer) {
    size_t done = 0;
    while (done < buffer.size()) {
        OVERLAPPED at = At(offset + static_cast<int64_t>(done));
        DWORD count = 0;
        const DWORD wanted = static_cast<DWORD>(std::min(buffer.size() - done, Chunk));
        if (!::ReadFile(Native(file), buffer.data() + done, wanted, &count, &at)) {
            const DWORD code = ::GetLastError();
            if (code == ERROR_HANDLE_EOF)
                break;
            WindowsErrors::RaiseRuntimeError(code);
        }
        if (count == 0)
            break;
        done += count;
    }
    return done;
}

void WriteAt(Handle file, int64_t offset, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        OVERLAPPED at = At(offset + static_cast<int64_t>(done));
        DWORD count = 0;
        const DWORD wanted = static_cast<DWORD>(std::min(bytes.size() - done, Chunk));
        if (!::WriteFile(Native(file), bytes.data() + done, wanted, &count, &at))
            WindowsErrors::RaiseLastError();
        if (count == 0)
            RuntimeError::Raise(ErrorNumber::DeviceIOError);
        done += count;
    }
}

// The volume's serial number and the file's index on it name the file; the
// last write is kept in 100 ns steps since 1601, given here in ns since 1970.
FileStamp Stamp(Handle file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(Native(file), &info))
        WindowsErrors::RaiseLastError();
    const auto written = static_cast<int64_t>(Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime));
    return FileStamp{info.dwVolumeSerialNumber, Join(info.nFileIndexHigh, info.nFileIndexLow),
                                Join(info.nFileSizeHigh, info.nFileSizeLow), (written - From1601To1970) * 100};
}

// The space is asked for first, which a full NTFS volume refuses at once;
// then the new part is written with zeros, so that a file system that only
// noted the length (as a sparse Linux file under Wine does) takes the space
// now. Either refusal comes before any of the save's bytes, and the file is
// cut back to its length.
void Reserve(Handle file, int64_t length) {
    const HANDLE native = Native(file);
    const int64_t size = SizeOf(native);
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = length;
    if (!::SetFileInformationByHandle(native, FileAllocationInfo, &allocation, sizeof allocation)) {
        const DWORD code = ::GetLastError();
        if (WindowsErrors::IsNoRoom(code))
            WindowsErrors::RaiseRuntimeError(code);
        // Any other refusal: a file system that cannot set space aside.
    }
    try {
        const std::vector<uint8_t> zeros(static_cast<size_t>(std::min<int64_t>(length - size, 1 << 16)), 0);
        for (int64_t at = size; at < length; at += static_cast<int64_t>(zeros.size()))
            WriteAt(file, at, std::span(zeros).first(static_cast<size_t>(std::min<int64_t>(length - at, zeros.size()))));
    } catch (...) {
        // The failed write is what is reported; cutting back is all that can
        // still be done.
        SetLength(native, size);
        throw;
    }
}

void Flush(Handle file) {
    if (!::FlushFileBuffers(Native(file)))
        WindowsErrors::RaiseLastError();
}

void SetModified(Handle file, int64_t modifiedNs) {
    const auto ticks = static_cast<uint64_t>(modifiedNs / 100 + From1601To1970);
    FILETIME written{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
    if (!::SetFileTime(Native(file), nullptr, nullptr, &written))
        WindowsErrors::RaiseLastError();
}

void Close(Handle file) {
    if (!::CloseHandle(Native(file)))
        WindowsErrors::RaiseLastError();
}

}  // namespace SystemFile
