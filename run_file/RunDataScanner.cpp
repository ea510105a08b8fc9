#include "run_file/RunDataScanner.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace Stuff {

// The run data, from its start to the notes:
//
//   L  d1 .. dL  00 00 00   L  d1 .. dL  00 00 00   ...   N  n1 .. nN
//   \---- one record: L + 4 bytes ----/                   \-- notes --/
//
// Every record repeats the length byte L of the first one; the first length
// byte that differs from L is the notes length N. A record whose three
// separator bytes are not all zero is damaged; it is still counted. A notes
// length that happens to equal L reads as one more record, so the scan goes on
// past it. When the file ends where a length byte should be, the run data runs
// to the end and there are no notes. A record cut short by the end of the file
// is counted, and reported as damaged at the position where its separator
// begins, whether or not that position still lies inside the file.
//
// The scan walks memory directly: the file's own bytes when the source has
// them in memory, else blocks of a megabyte read one at a time.

namespace {

constexpr size_t BlockSize = 1 << 20;

// Bits of a little- or big-endian load of the last data byte and the three
// separator bytes that belong to the separator.
constexpr uint32_t SeparatorMask = std::endian::native == std::endian::little ? 0xFFFFFF00u : 0x00FFFFFFu;

// Bits of a load of the three separator bytes and the next length byte that
// belong to the length byte.
constexpr uint32_t NextLengthMask = std::endian::native == std::endian::little ? 0xFF000000u : 0x000000FFu;

}  // namespace

RunDataScanner::RunDataScanner(ByteSource& source, uint64_t runDataStart) : source_(source), memory_(source.Contiguous()) {
    next_ = runDataStart - 1;
    const Window window = WindowAt(next_);
    length_ = window.size > 0 ? window.data[0] : 0;
    stride_ = length_ + 4u;
    done_ = length_ == 0;
}

RunDataScanner::Window RunDataScanner::WindowAt(uint64_t offset) {
    if (memory_) {
        if (offset >= memory_->size()) return {nullptr, 0};
        return {memory_->data() + offset, memory_->size() - offset};
    }
    const uint64_t bufferEnd = bufferOffset_ + bufferSize_;
    const bool inside = offset >= bufferOffset_ && offset < bufferEnd;
    if ((inside && (bufferEnd - offset >= stride_ || bufferReachedEnd_)) || (offset == bufferEnd && bufferReachedEnd_)) {
        return {buffer_.data() + (offset - bufferOffset_), bufferEnd - offset};
    }
    // A block never asks for more than the file still holds: a short file
    // then costs a read of its own size, not of a whole block.
    const uint64_t size = source_.Size();
    const uint64_t wanted = std::min<uint64_t>(BlockSize, size > offset ? size - offset : 0);
    if (buffer_.size() < wanted) buffer_.resize(wanted);
    bufferOffset_ = offset;
    bufferSize_ = source_.ReadAt(offset, std::span<uint8_t>(buffer_.data(), wanted));
    bufferReachedEnd_ = bufferSize_ < BlockSize;
    return {buffer_.data(), bufferSize_};
}

uint64_t RunDataScanner::ScanWholeRecords(const uint8_t* data, uint64_t records) {
    if (records == 0 || data[0] != length_) return 0;
    // A sound record's separator and the next record's length byte are the
    // four bytes 00 00 00 L, one load and one compare. Four records are taken
    // at a time while the length byte after them still lies in the window;
    // a group that is not all sound is walked record by record.
    const uint8_t soundBytes[4] = {0x00, 0x00, 0x00, length_};
    uint32_t sound;
    std::memcpy(&sound, soundBytes, sizeof sound);
    const auto joint = [](const uint8_t* at) {
        uint32_t word;
        std::memcpy(&word, at, sizeof word);
        return word;
    };
    // The length byte of record i is L at the top of every round.
    uint64_t i = 0;
    while (i < records) {
        if (i + 4 < records) {
            const uint8_t* separator = data + i * stride_ + length_ + 1;
            const uint32_t d0 = joint(separator) ^ sound, d1 = joint(separator + stride_) ^ sound,
                           d2 = joint(separator + 2 * stride_) ^ sound, d3 = joint(separator + 3 * stride_) ^ sound;
            const uint32_t differs = d0 | d1 | d2 | d3;
            if (differs == 0) {
                i += 4;
                continue;
            }
            // Once no more positions are kept, damaged records of a whole
            // group are only counted: a file of damaged records scans almost
            // as fast as a sound one.
            if (damaged_.size() >= MaxListedDamaged && (differs & NextLengthMask) == 0) {
                damagedCount_ += (d0 != 0) + (d1 != 0) + (d2 != 0) + (d3 != 0);
                i += 4;
                continue;
            }
        }
        const uint8_t* record = data + i * stride_;
        // the last data byte and the three separator bytes, in one load
        if ((joint(record + length_) & SeparatorMask) != 0) {
            AddDamaged(next_ + i * stride_ + length_ + 2);
        }
        ++i;
        if (i < records && data[i * stride_] != length_) return i;
    }
    return records;
}

bool RunDataScanner::Advance(uint64_t maxRecords) {
    uint64_t budget = maxRecords;
    while (!done_ && budget > 0) {
        const Window window = WindowAt(next_);
        if (window.size == 0) {
            done_ = true;  // the run data runs to the end of the file
            break;
        }
        const uint64_t whole = std::min(window.size / stride_, budget);
        if (whole == 0) {
            // Less than one record is left before the end of the file.
            if (window.data[0] != length_) EndAtNotes(window.data[0]);
            else EndAtCutRecord();
            break;
        }
        const uint64_t scanned = ScanWholeRecords(window.data, whole);
        count_ += scanned;
        budget -= scanned;
        next_ += scanned * stride_;
        if (scanned < whole) EndAtNotes(window.data[scanned * stride_]);
    }
    return done_;
}

void RunDataScanner::Finish() { Advance(std::numeric_limits<uint64_t>::max()); }

void RunDataScanner::EndAtNotes(uint8_t notesLength) {
    notesPosition_ = next_ + 1;
    notesLength_ = notesLength;
    done_ = true;
}

void RunDataScanner::EndAtCutRecord() {
    ++count_;
    AddDamaged(next_ + length_ + 2);
    done_ = true;
}

void RunDataScanner::AddDamaged(uint64_t position) {
    if (damaged_.size() < MaxListedDamaged) damaged_.push_back(position);
    ++damagedCount_;
}

std::string RecordCountText(uint64_t count) {
    return count != 0 ? std::to_string(count) + " record(s) read." : "No run data found!";
}

std::string DamagedPositionsMessage(std::span<const uint64_t> positions, uint64_t count) {
    std::string message;
    for (uint64_t position : positions) {
        message += message.empty() ? "Error(s) found at: " : ", ";
        message += std::to_string(position);
    }
    if (count > positions.size()) {
        message += "\r\n... and " + std::to_string(count - positions.size()) + " more damaged record(s) not listed.";
    }
    return message;
}

}  // namespace Stuff
