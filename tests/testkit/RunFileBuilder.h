#pragma once
// Builds run files byte by byte for tests, without the code under test:
//
//   RunFileBuilder().Version("1.1.1").RunName("Run 4").Weight(3000).Rollout(25)
//       .Records(20, 5).DamagedRecord(2).Notes("a\rb").Build()
//
// Every byte the builder is not told about is a filler pattern that is never
// 0x00 or 0xFF, so a read from a shifted position shows. Record data bytes use
// the pattern too. Texts are taken as the bytes to store (Windows-1252).
// Defaults: version "2.0", run name "Run 1", vehicle "Car", weight 3000,
// rollout 25, redline 6500, shift point 6000, pitch 10, no run data.
#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class RunFileBuilder {
public:
    using Bytes = std::vector<uint8_t>;

    static uint8_t Filler(uint64_t offset) { return static_cast<uint8_t>(1 + (offset * 73 + 11) % 251); }

    // "PASSVERSION" and the text, NUL padded to 17 bytes.
    RunFileBuilder& Version(std::string_view text) { return VersionField("PASSVERSION" + std::string(text)); }
    // The raw 17 bytes of the version field, NUL padded or cut.
    RunFileBuilder& VersionField(std::string raw) { version_ = std::move(raw); return *this; }
    RunFileBuilder& RunName(std::string text) { runName_ = std::move(text); return *this; }
    RunFileBuilder& VehicleName(std::string text) { vehicleName_ = std::move(text); return *this; }
    RunFileBuilder& Weight(uint16_t value) { weight_ = value; return *this; }
    RunFileBuilder& Redline(uint16_t value) { redline_ = value; return *this; }
    RunFileBuilder& ShiftPoint(uint16_t value) { shiftPoint_ = value; return *this; }
    RunFileBuilder& Rollout(uint8_t tenths) { rollout_ = tenths; return *this; }
    RunFileBuilder& Pitch(uint8_t tenths) { pitch_ = tenths; return *this; }
    // Overrides where the run data goes (by default 311 for "1.1.1", else 312).
    RunFileBuilder& StartRunDataAt(uint64_t position) { runDataStart_ = position; return *this; }
    // `count` records of `length` data bytes each; no records means L = 0.
    RunFileBuilder& Records(uint32_t count, uint8_t length) { count_ = count; length_ = length; return *this; }
    // Record `index` (0-based) gets a non-zero byte at separator byte 0, 1 or 2.
    RunFileBuilder& DamagedRecord(uint32_t index, int separatorByte = 1) {
        damaged_.insert({index, separatorByte});
        return *this;
    }
    // The notes length byte and the notes bytes after the records.
    RunFileBuilder& Notes(std::string text) { notes_ = std::move(text); hasNotes_ = true; return *this; }
    // A notes length byte that does not match the bytes that follow.
    RunFileBuilder& NotesLengthByte(uint8_t n) { notesLengthByte_ = n; return *this; }
    // The file ends right after the last record.
    RunFileBuilder& NoNotes() { hasNotes_ = false; return *this; }
    // `count` filler bytes after the notes.
    RunFileBuilder& Tail(uint64_t count) { tail_ = count; return *this; }
    // Overwrites bytes at a 1-based position, after everything else is laid.
    RunFileBuilder& Raw(uint64_t position, Bytes bytes) { raw_.emplace_back(position, std::move(bytes)); return *this; }
    // The file ends after `size` bytes, or `count` bytes earlier than built.
    RunFileBuilder& CutTo(uint64_t size) { cutTo_ = size; return *this; }
    RunFileBuilder& CutBy(uint64_t count) { cutBy_ = count; return *this; }

    uint64_t RunDataStart() const {
        if (runDataStart_ != 0) return runDataStart_;
        const bool tag = version_.size() >= 11 && Upper(version_.substr(0, 11)) == "PASSVERSION";
        return tag && version_.substr(11) == "1.1.1" ? 311 : 312;
    }
    uint64_t RecordSize() const { return length_ + 4u; }
    // 1-based position of the first separator byte of record `index`.
    uint64_t SeparatorPosition(uint32_t index) const { return RunDataStart() + index * RecordSize() + 1 + length_; }
    uint64_t NotesPosition() const { return RunDataStart() + (count_ == 0 ? 1 : count_ * RecordSize()); }
    std::vector<uint64_t> DamagedPositions() const {
        std::set<uint64_t> positions;
        for (const auto& [index, byte] : damaged_) positions.insert(SeparatorPosition(index));
        return {positions.begin(), positions.end()};
    }

    Bytes Build() const {
        Bytes file(RunDataStart() - 1);
        for (uint64_t i = 0; i < file.size(); ++i) file[i] = Filler(i);
        Put(file, 273, Padded(version_, 17, 0x00));
        Put(file, 20, TextField(runName_, 48));
        Put(file, 77, {pitch_});
        Put(file, 132, TextField(vehicleName_, 16));
        Put(file, 148, {static_cast<uint8_t>(weight_ >> 8), static_cast<uint8_t>(weight_ & 0xFF)});
        Put(file, 150, {rollout_});
        Put(file, 152, {static_cast<uint8_t>(redline_ >> 8), static_cast<uint8_t>(redline_ & 0xFF)});
        Put(file, 154, {static_cast<uint8_t>(shiftPoint_ >> 8), static_cast<uint8_t>(shiftPoint_ & 0xFF)});
        AppendRunData(file);
        for (uint64_t i = 0; i < tail_; ++i) file.push_back(Filler(file.size()));
        for (const auto& [position, bytes] : raw_) Put(file, position, bytes);
        if (cutTo_ < file.size()) file.resize(cutTo_);
        file.resize(file.size() - std::min<uint64_t>(cutBy_, file.size()));
        return file;
    }

private:
    static std::string Upper(std::string text) {
        for (char& c : text) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        return text;
    }
    static Bytes Padded(const std::string& text, size_t width, uint8_t fill) {
        Bytes bytes(text.begin(), text.end());
        bytes.resize(width, fill);
        return bytes;
    }
    static Bytes TextField(const std::string& text, size_t width) { return Padded(text + '\0', width, 0xFF); }
    static void Put(Bytes& file, uint64_t position, const Bytes& bytes) {
        if (file.size() < position - 1 + bytes.size()) file.resize(position - 1 + bytes.size(), 0xEE);
        std::copy(bytes.begin(), bytes.end(), file.begin() + (position - 1));
    }

    void AppendRunData(Bytes& file) const {
        if (count_ == 0) return file.push_back(0x00);
        for (uint32_t r = 0; r < count_; ++r) {
            file.push_back(length_);
            for (uint8_t i = 0; i < length_; ++i) file.push_back(Filler(file.size()));
            for (int byte = 0; byte < 3; ++byte) file.push_back(damaged_.count({r, byte}) ? 0x5A : 0x00);
        }
        if (!hasNotes_) return;
        file.push_back(notesLengthByte_ >= 0 ? static_cast<uint8_t>(notesLengthByte_) : static_cast<uint8_t>(notes_.size()));
        file.insert(file.end(), notes_.begin(), notes_.end());
    }

    std::string version_ = "PASSVERSION2.0";
    std::string runName_ = "Run 1";
    std::string vehicleName_ = "Car";
    uint16_t weight_ = 3000, redline_ = 6500, shiftPoint_ = 6000;
    uint8_t rollout_ = 25, pitch_ = 10;
    uint64_t runDataStart_ = 0;
    uint32_t count_ = 0;
    uint8_t length_ = 0;
    std::set<std::pair<uint32_t, int>> damaged_;
    std::string notes_;
    bool hasNotes_ = true;
    int notesLengthByte_ = -1;
    uint64_t tail_ = 0;
    std::vector<std::pair<uint64_t, Bytes>> raw_;
    uint64_t cutTo_ = UINT64_MAX;
    uint64_t cutBy_ = 0;
};
