#pragma once
// Where every field of a run file lives. Positions are 1-based (position 1 is
// the first byte of the file), as the load and the save address the file;
// Offset() gives the 0-based offset for code that indexes memory.
//
// Bytes outside these fields (1-19, 68-76, 78-131, 151, 156-272 and 290 up to
// the run data) belong to PASS: they are never read and never written.
#include <array>
#include <cstdint>
#include <string_view>

namespace Stuff {

enum class FieldEncoding {
    Text,         // characters, one NUL, 0xFF fill
    Tenths,       // one unsigned byte, value / 10
    TwoByte,      // unsigned, most significant byte first
    VersionText,  // "PASSVERSION" tag and version text, NUL padding
};

enum class Field { RunName, PitchFactor, VehicleName, VehicleWeight, RolloutLength, Redline, ShiftPoint, Version };

struct FieldSpec {
    Field field;
    std::string_view name;  // as the user knows it, for messages
    uint64_t position;
    uint32_t width;
    FieldEncoding encoding;

    constexpr uint64_t Offset() const { return position - 1; }
    constexpr uint64_t LastPosition() const { return position + width - 1; }
};

inline constexpr std::array<FieldSpec, 8> RunFileFields{{
    {Field::RunName, "run name", 20, 48, FieldEncoding::Text},
    {Field::PitchFactor, "pitch factor", 77, 1, FieldEncoding::Tenths},
    {Field::VehicleName, "vehicle name", 132, 16, FieldEncoding::Text},
    {Field::VehicleWeight, "vehicle weight", 148, 2, FieldEncoding::TwoByte},
    {Field::RolloutLength, "rollout length", 150, 1, FieldEncoding::Tenths},
    {Field::Redline, "redline", 152, 2, FieldEncoding::TwoByte},
    {Field::ShiftPoint, "shift point", 154, 2, FieldEncoding::TwoByte},
    {Field::Version, "version", 273, 17, FieldEncoding::VersionText},
}};

constexpr const FieldSpec& Spec(Field field) {
    for (const FieldSpec& spec : RunFileFields) {
        if (spec.field == field) return spec;
    }
    return RunFileFields[0];  // unreachable: every Field has a row
}

// The run data starts right after the version field's padding: one byte later
// in every version but the oldest one.
inline constexpr uint64_t RunDataStartOfVersion111 = 311;
inline constexpr uint64_t RunDataStartOfOtherVersions = 312;

// The last field of the header: a file shorter than this is no run file.
inline constexpr uint64_t HeaderEnd = Spec(Field::Version).LastPosition();

// The notes length byte counts at most this many bytes.
inline constexpr uint32_t MaxNotesBytes = 255;

}  // namespace Stuff
