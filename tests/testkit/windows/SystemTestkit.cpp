#include "testkit/SystemTestkit.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "base/WideText.h"

namespace {

std::wstring Wide(const std::string& text) {
    const auto units = WideText::FromUtf8(text);
    if (!units) throw std::runtime_error("not UTF-8: " + text);
    return std::wstring(units->begin(), units->end());
}

// The helper program lies beside the test program.
std::wstring HelperPath() {
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + L"lock_holder.exe";
}

struct Child {
    HANDLE process = nullptr;
    HANDLE input = nullptr;   // its standard input, ours to write or close
    HANDLE output = nullptr;  // its standard output, ours to read
};

// Starts `lock_holder MODE PATH` with pipes for its standard input and output.
Child Start(const wchar_t* mode, const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE inRead, inWrite, outRead, outWrite;
    if (!::CreatePipe(&inRead, &inWrite, &inherit, 0) || !::CreatePipe(&outRead, &outWrite, &inherit, 0))
        throw std::runtime_error("CreatePipe");
    ::SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead;
    startup.hStdOutput = outWrite;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    std::wstring command = L"\"" + HelperPath() + L"\" " + mode + L" \"" + Wide(path) + L"\"";
    PROCESS_INFORMATION started{};
    const BOOL ok = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                     &started);
    ::CloseHandle(inRead);
    ::CloseHandle(outWrite);
    if (!ok) throw std::runtime_error("CreateProcessW: " + std::to_string(::GetLastError()));
    ::CloseHandle(started.hThread);
    return Child{started.hProcess, inWrite, outRead};
}

DWORD WaitForExit(HANDLE process) {
    ::WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process, &code);
    ::CloseHandle(process);
    return code;
}

}  // namespace

LockHolder::LockHolder(const std::string& path) {
    const Child child = Start(L"hold", path);
    char held = 0;
    DWORD count = 0;
    ::ReadFile(child.output, &held, 1, &count, nullptr);
    ::CloseHandle(child.output);
    process_ = reinterpret_cast<std::intptr_t>(child.process);
    release_ = reinterpret_cast<std::intptr_t>(child.input);
    if (count != 1 || held != 'h') {
        Release();
        throw std::runtime_error("the other program could not hold " + path);
    }
}

LockHolder::~LockHolder() { Release(); }

void LockHolder::Release() {
    if (process_ == 0) return;
    ::CloseHandle(reinterpret_cast<HANDLE>(release_));
    WaitForExit(reinterpret_cast<HANDLE>(process_));
    process_ = 0;
}

int32_t OpenInAnotherProgram(const std::string& path) {
    const Child child = Start(L"open", path);
    ::CloseHandle(child.input);
    ::CloseHandle(child.output);
    return static_cast<int32_t>(WaitForExit(child.process));
}

// The system's list of every open handle, counted for this process: Wine
// answers GetProcessHandleCount with 0 whatever is open.
int OpenHandleCount() {
    struct HandleEntry {
        USHORT processId;
        USHORT creatorBackTraceIndex;
        UCHAR objectTypeIndex;
        UCHAR handleAttributes;
        USHORT handleValue;
        PVOID object;
        ULONG grantedAccess;
    };
    struct HandleList {
        ULONG count;
        HandleEntry handles[1];
    };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    constexpr ULONG SystemHandleInformation = 16;
    constexpr LONG InfoLengthMismatch = static_cast<LONG>(0xC0000004);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) throw std::runtime_error("NtQuerySystemInformation");
    std::vector<unsigned char> buffer(1 << 16);
    LONG status;
    ULONG needed = 0;
    while ((status = query(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
           InfoLengthMismatch)
        buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
    if (status < 0) throw std::runtime_error("NtQuerySystemInformation: " + std::to_string(status));
    const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
    const auto self = static_cast<USHORT>(::GetCurrentProcessId());
    int count = 0;
    for (ULONG i = 0; i < list->count; ++i)
        if (list->handles[i].processId == self) ++count;
    return count;
}

// Opened for no access at all, which no sharing mode refuses.
SystemFile::FileStamp SystemStampOf(const std::string& path) {
    const HANDLE file = ::CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("CreateFileW " + path);
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL ok = ::GetFileInformationByHandle(file, &info);
    ::CloseHandle(file);
    if (!ok) throw std::runtime_error("GetFileInformationByHandle " + path);
    const auto join = [](DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; };
    const uint64_t written = join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
    return {info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
            join(info.nFileSizeHigh, info.nFileSizeLow), (static_cast<int64_t>(written) - 116444736000000000) * 100};
}

std::string ProgramFolder() {
    std::wstring path = HelperPath();
    path.erase(path.find_last_of(L"\\"));
    return WideText::ToUtf8(std::u16string(path.begin(), path.end()));
}

void MakeHidden(const std::string& path) {
    if (!::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN)) throw std::runtime_error("SetFileAttributesW");
}

// Tried once: Windows refuses to write a read-only file, but Wine run by root
// on Linux lets root write it.
bool MayWriteEverything() {
    static const bool mayWrite = [] {
        std::wstring probe(MAX_PATH + 1, L'\0');
        probe.resize(::GetTempPathW(static_cast<DWORD>(probe.size()), probe.data()));
        probe += L"tachlet-read-only-probe-" + std::to_wstring(::GetCurrentProcessId());
        const HANDLE created = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_READONLY, nullptr);
        if (created == INVALID_HANDLE_VALUE) throw std::runtime_error("probe file");
        ::CloseHandle(created);
        const HANDLE written = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (written != INVALID_HANDLE_VALUE) ::CloseHandle(written);
        ::SetFileAttributesW(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(probe.c_str());
        return written != INVALID_HANDLE_VALUE;
    }();
    return mayWrite;
}

bool FolderPermissionsGuardEntries() { return false; }

SmallDisk::SmallDisk(const std::string&, int) {
    const char* prepared = std::getenv("TACHLET_SMALL_DISK");
    if (prepared == nullptr || *prepared == '\0')
        why_ = "no small disk was prepared for this run (TACHLET_SMALL_DISK)";
    else
        path_ = prepared;
}

SmallDisk::~SmallDisk() = default;

const std::string ForeignName = "\xce\x94\xcf\x81\xcf\x8c\xce\xbc\xce\xbf\xcf\x82";
