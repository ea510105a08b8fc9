#pragma once
// The one exception type for run-time failures of the platform layer and the
// number conversions: a number in the classic BASIC runtime numbering and its
// description, so the window can word "Error (n) - description - ...".
#include <cstdint>
#include <stdexcept>
#include <string>

#include "support/ErrorNumbers.h"

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int32_t number, std::string description)
        : std::runtime_error(description), number_(number), description_(std::move(description)) {}

    int32_t Number() const noexcept { return number_; }
    const std::string& Description() const noexcept { return description_; }

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
    [[noreturn]] static void Raise(int32_t number) { throw RuntimeError(number, DescriptionOf(number)); }

private:
    int32_t number_;
    std::string description_;
};
