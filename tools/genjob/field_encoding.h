#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/field_format.h"

// Byte encoders for the three field files the data collector writes for a
// job: 18-byte observation records (HVD), description records (CTX) and notes
// (RTX). Multi-byte numbers are little-endian.
namespace zendro::genjob {

using namespace field_format;

// Tenths of a second of arc in one degree, and in a full circle.
inline constexpr std::int64_t kTenthsPerDegree = 36000;
inline constexpr std::int64_t kTenthsPerCircle = 360 * kTenthsPerDegree;

// An angle as tenths of a second, folded into [0, 360) degrees and packed as
// DDD.MMSSs times 100000 (45 30 15.0 becomes 4530150).
std::uint32_t packAngle(std::int64_t tenthsOfSecond);
// The packed value of an angle given in its parts (no folding, no checks), for
// deliberately odd values.
std::uint32_t packAngleParts(std::uint32_t degrees, std::uint32_t minutes, std::uint32_t seconds,
                             std::uint32_t tenths);

// The fields of one observation record as the collector stores them.
struct Observation {
    RecordKind kind{};
    std::uint16_t point = 0;
    std::uint16_t heightHundredths = 0;
    std::uint32_t horizontal = 0;  // packed angle
    std::uint32_t zenith = 0;      // packed angle
    std::uint32_t distanceTenThousandths = 0;
};

void appendObservation(std::string& out, const Observation& observation);

// How many 30-byte blocks a description or note of `textSize` bytes takes: the
// first block holds 25 text bytes, every further one 30.
std::size_t blocksForText(std::size_t textSize);

// A description record: count byte, two filler bytes, the point number and the
// text, zero-padded to as many 30-byte blocks as the text needs (25 text bytes
// in the first block, 30 in each further one).
void appendDescription(std::string& out, std::uint16_t point, std::string_view text);
// The same with the count byte given (0 still takes one block) and the text cut
// to fit, for deliberately odd records.
void appendDescriptionBlocks(std::string& out, std::uint8_t blocks, std::uint16_t point,
                             std::string_view text);

// A note: count byte, four filler bytes, then the text over as many 30-byte
// records as it needs, zero-padded.
void appendNote(std::string& out, std::string_view text);
void appendNoteBlocks(std::string& out, std::uint8_t records, std::string_view text);

// The leading blocks of the CTX and RTX files, which carry the collector's own
// job header; the converter skips them.
std::string descriptionPrologue(std::string_view jobName);
std::string notesPrologue(std::string_view jobName);

}  // namespace zendro::genjob
