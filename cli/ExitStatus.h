#pragma once
// The tool's exit status: the worst outcome among the files it handled.
enum class ExitStatus {
    Ok = 0,       // everything read (and written), nothing damaged
    Damaged = 1,  // some file holds damaged records
    Refused = 2,  // a usage error or a rejected value
    Failed = 3,   // some file could not be read or written
};

inline ExitStatus Worse(ExitStatus a, ExitStatus b) { return static_cast<int>(a) >= static_cast<int>(b) ? a : b; }
