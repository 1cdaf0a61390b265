#pragma once

#include <cstddef>
#include <cstdint>

// The layout of the data collector's three field files, in one place for every
// reader and writer of them: the decoders, the record dispatch, the job
// generator, the tests' job builder and the fuzz corpus maker (which reads the
// `k...` constants of this file). Multi-byte numbers are little-endian.
namespace zendro::field_format {

// JOB.HVD: observation records of 18 bytes, no file header.
inline constexpr std::size_t kObservationRecordSize = 18;
inline constexpr std::size_t kKindOffset = 0;        // 1 byte; byte 1 is unused
inline constexpr std::size_t kPointOffset = 2;       // 2 bytes
inline constexpr std::size_t kHeightOffset = 4;      // 2 bytes, hundredths
inline constexpr std::size_t kHorizontalOffset = 6;  // 4 bytes, packed DDD.MMSSs x 100000
inline constexpr std::size_t kZenithOffset = 10;     // 4 bytes, packed like the horizontal
inline constexpr std::size_t kDistanceOffset = 14;   // 4 bytes, ten-thousandths

// The kind byte of an observation record. Any other value is an unknown kind.
enum class RecordKind : std::uint8_t {
    Setup = 1,
    Reference = 2,
    Backsight = 3,
    Traverse = 4,
    Sideshot = 5,
    NoteMarker = 6,
    Ignored7 = 7,
    Ignored8 = 8,
    DistanceUnit = 9,
    AngleUnit = 10,
    AzimuthSystem = 11,
    AngleDirection = 12,
    VerticalSystem = 13,
    Deleted = 252,
};

// JOB.CTX and JOB.RTX are made of 30-byte blocks. A record starts with a count
// byte (how many blocks it takes; 0 still takes one) and a 5-byte header, so
// its first block holds 25 text bytes and every further block 30.
inline constexpr std::size_t kBlockSize = 30;
inline constexpr std::size_t kRecordHeaderSize = 5;
inline constexpr std::size_t kCountOffset = 0;             // 1 byte
inline constexpr std::size_t kDescriptionPointOffset = 3;  // 2 bytes, CTX only

// The leading blocks that carry the collector's own job header, never read.
inline constexpr std::size_t kDescriptionPrologueSize = 180;  // six blocks of JOB.CTX
inline constexpr std::size_t kNotesPrologueSize = 90;         // three blocks of JOB.RTX

// A second feature keyed after "~" is named this much above its point.
inline constexpr std::int64_t kSecondFeatureOffset = 100000;

}  // namespace zendro::field_format
