#pragma once
// The one exception type for run-time failures of the platform layer and the
// number conversions: a number in the classic BASIC runtime numbering and its
// description, so the window can word "Error (n) - description - ...".
#include <cstdint>
#include <stdexcept>
#include <string>

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int32_t number, std::string description)
        : std::runtime_error(description), number_(number), description_(std::move(description)) {}

    int32_t Number() const noexcept { return number_; }
    const std::string& Description() const noexcept { return description_; }

    // The runtime's error numbers and their descriptions.
    static constexpr int32_t Overflow = 6;
    static constexpr int32_t TypeMismatch = 13;
    static constexpr int32_t BadFileNameOrNumber = 52;
    static constexpr int32_t FileNotFound = 53;
    static constexpr int32_t DeviceIOError = 57;
    static constexpr int32_t FileAlreadyExists = 58;
    static constexpr int32_t DiskFull = 61;
    static constexpr int32_t InputPastEndOfFile = 62;
    static constexpr int32_t PermissionDenied = 70;
    static constexpr int32_t PathFileAccessError = 75;
    static constexpr int32_t PathNotFound = 76;

    static std::string DescriptionOf(int32_t number) {
        switch (number) {
        case Overflow: return "Overflow";
        case TypeMismatch: return "Type mismatch";
        case BadFileNameOrNumber: return "Bad file name or number";
        case FileNotFound: return "File not found";
        case DeviceIOError: return "Device I/O error";
        case FileAlreadyExists: return "File already exists";
        case DiskFull: return "Disk full";
        case InputPastEndOfFile: return "Input past end of file";
        case PermissionDenied: return "Permission denied";
        case PathFileAccessError: return "Path/File access error";
        case PathNotFound: return "Path not found";
        default: return "Application-defined or object-defined error";
        }
    }

    // Raises the runtime error with its standard description.
    [[noreturn]] static void Raise(int32_t number) { throw RuntimeError(number, DescriptionOf(number)); }

private:
    int32_t number_;
    std::string description_;
};
