#pragma once
// The open directory searches of the file helpers by number, as FileHandle
// holds them: a signed 32-bit value above 0 names a search. The numbers start
// far above the file numbers 1 to 255 (FileTable), so a file number is never
// taken for a search.
#include <cstdint>
#include <memory>

#include "platform/DirectorySearch.h"

namespace SearchTable {

inline constexpr int32_t FirstNumber = 0x10000;

// Keeps the search under a new number and returns the number.
int32_t Keep(std::unique_ptr<DirectorySearch::Search> search);

// The search kept under `number`; null when it names none.
DirectorySearch::Search* Find(int32_t number);

// Ends the search. False when the number names none.
bool Close(int32_t number);

}  // namespace SearchTable
