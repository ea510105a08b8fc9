#pragma once
// Every error number the program reports, in one place.
//
// ErrorNumber: the classic BASIC runtime numbers that RuntimeError carries and
// the load, the save and the file commands show as "Error (n) - ...".
// SystemErrorCode: the Windows system error codes that the file helpers record
// in the shared error record for a failed search or deletion, worded by
// Errors::ErrorText.
#include <cstdint>

namespace ErrorNumber {

inline constexpr int32_t NoFileSpecified = -1;  // a blank path handed to a file command
inline constexpr int32_t InvalidProcedureCall = 5;  // a value the run file cannot hold as given
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t TypeMismatch = 13;
inline constexpr int32_t BadFileNameOrNumber = 52;
inline constexpr int32_t FileNotFound = 53;
inline constexpr int32_t FileAlreadyOpen = 55;
inline constexpr int32_t DeviceIOError = 57;
inline constexpr int32_t FileAlreadyExists = 58;
inline constexpr int32_t DiskFull = 61;
inline constexpr int32_t InputPastEndOfFile = 62;
inline constexpr int32_t BadRecordNumber = 63;
inline constexpr int32_t PermissionDenied = 70;
inline constexpr int32_t PathFileAccessError = 75;
inline constexpr int32_t PathNotFound = 76;

}  // namespace ErrorNumber

namespace SystemErrorCode {

inline constexpr int32_t FileNotFound = 2;
inline constexpr int32_t PathNotFound = 3;
inline constexpr int32_t AccessDenied = 5;
inline constexpr int32_t InvalidHandle = 6;
inline constexpr int32_t NoMoreFiles = 18;
inline constexpr int32_t WriteProtect = 19;
inline constexpr int32_t GeneralFailure = 31;
inline constexpr int32_t SharingViolation = 32;
inline constexpr int32_t LockViolation = 33;
inline constexpr int32_t FileExists = 80;
inline constexpr int32_t InvalidParameter = 87;
inline constexpr int32_t DiskFull = 112;
inline constexpr int32_t FilenameExceedsRange = 206;
inline constexpr int32_t IoDevice = 1117;

}  // namespace SystemErrorCode
