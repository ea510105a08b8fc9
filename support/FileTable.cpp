#include "support/FileTable.h"

#include <array>
#include <memory>
#include <mutex>

#include "base/RuntimeError.h"

namespace FileTable {

namespace {

struct Slot {
    std::unique_ptr<LockedFile> owned;  // empty for a lent file
    const LockedFile* file = nullptr;   // null while the number is free
};

struct Table {
    std::mutex lock;
    std::array<Slot, HighestNumber + 1> slots;  // index 0 unused
};

Table& Files() {
    static Table table;
    return table;
}

void CheckNumber(int32_t fileNumber) {
    if (fileNumber < LowestNumber || fileNumber > HighestNumber)
        RuntimeError::Raise(ErrorNumber::BadFileNameOrNumber);
}

// The slot of a number already checked to lie in 1..255.
Slot& SlotOf(Table& table, int32_t fileNumber) { return table.slots[static_cast<size_t>(fileNumber)]; }

int32_t LowestFree(Table& table) {
    for (int32_t number = LowestNumber; number <= HighestNumber; ++number)
        if (SlotOf(table, number).file == nullptr)
            return number;
    RuntimeError::Raise(ErrorNumber::BadFileNameOrNumber);
}

}  // namespace

int32_t FreeFile() {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    return LowestFree(table);
}

void Open(std::string_view path, LockedFile::OpenMode mode, int32_t fileNumber) {
    CheckNumber(fileNumber);
    auto& table = Files();
    std::lock_guard guard(table.lock);
    Slot& slot = SlotOf(table, fileNumber);
    if (slot.file != nullptr)
        RuntimeError::Raise(ErrorNumber::FileAlreadyOpen);
    slot.owned = std::make_unique<LockedFile>(path, mode);
    slot.file = slot.owned.get();
}

int32_t Lend(const LockedFile& file) {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    const int32_t number = LowestFree(table);
    SlotOf(table, number).file = &file;
    return number;
}

const LockedFile& File(int32_t fileNumber) {
    CheckNumber(fileNumber);
    auto& table = Files();
    std::lock_guard guard(table.lock);
    const LockedFile* file = SlotOf(table, fileNumber).file;
    if (file == nullptr)
        RuntimeError::Raise(ErrorNumber::BadFileNameOrNumber);
    return *file;
}

void Close(int32_t fileNumber) {
    CheckNumber(fileNumber);
    std::unique_ptr<LockedFile> owned;
    {
        auto& table = Files();
        std::lock_guard guard(table.lock);
        Slot& slot = SlotOf(table, fileNumber);
        owned = std::move(slot.owned);
        slot = Slot{};
    }
    if (owned)
        owned->Close();
}

bool IsOpen(int32_t fileNumber) {
    if (fileNumber < LowestNumber || fileNumber > HighestNumber)
        return false;
    auto& table = Files();
    std::lock_guard guard(table.lock);
    return SlotOf(table, fileNumber).file != nullptr;
}

}  // namespace FileTable
