#pragma once
// The one way a failure travels below the file helpers and the window: a
// number in the classic BASIC runtime numbering and its description, so the
// window can word "Error (n) - description - ...", and, when a system call
// failed, the system's own code for it (errno on Linux, GetLastError on
// Windows; 0 when no system call failed). The platform layer, the file layer
// and the run-file code all throw it.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

#include "base/ErrorNumbers.h"

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int32_t number, std::string description, int32_t systemCode = 0)
        : std::runtime_error(description),
          number_(number),
          systemCode_(systemCode),
          description_(std::move(description)) {}

    int32_t Number() const noexcept { return number_; }
    const std::string& Description() const noexcept { return description_; }
    int32_t SystemCode() const noexcept { return systemCode_; }

    // The standard description of a runtime error number.
    static std::string DescriptionOf(int32_t number) {
        switch (number) {
        case ErrorNumber::Overflow: return "Overflow";
        case ErrorNumber::TypeMismatch: return "Type mismatch";
        case ErrorNumber::BadFileNameOrNumber: return "Bad file name or number";
        case ErrorNumber::FileNotFound: return "File not found";
        case ErrorNumber::DeviceIOError: return "Device I/O error";
        case ErrorNumber::FileAlreadyExists: return "File already exists";
        case ErrorNumber::DiskFull: return "Disk full";
        case ErrorNumber::InputPastEndOfFile: return "Input past end of file";
        case ErrorNumber::PermissionDenied: return "Permission denied";
        case ErrorNumber::PathFileAccessError: return "Path/File access error";
        case ErrorNumber::PathNotFound: return "Path not found";
        case ErrorNumber::FileAlreadyOpen: return "File already open";
        case ErrorNumber::BadRecordNumber: return "Bad record number";
        case ErrorNumber::InvalidProcedureCall: return "Invalid procedure call or argument";
        default: return "Application-defined or object-defined error";
        }
    }

    // Raises the runtime error with its standard description.
    [[noreturn]] static void Raise(int32_t number, int32_t systemCode = 0) {
        throw RuntimeError(number, DescriptionOf(number), systemCode);
    }

private:
    int32_t number_;
    int32_t systemCode_;
    std::string description_;
};
