#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/field_format.h"
#include "common/inline_text.h"
#include "conversion/observation.h"

namespace zendro {

using field_format::kObservationRecordSize;
using field_format::RecordKind;

// A packed DDD.MMSSs angle unpacked into its three printed fields and its value.
struct DecodedAngle {
    InlineText<3> degreesText;  // right-aligned in 3 characters: "  5", " 45", "270"
    InlineText<3> minutesText;  // "00" to "59" (and "60" for a bad value)
    InlineText<4> secondsText;  // "00.0" format
    double decimalDegrees = 0;
};

// One observation record with the text forms the output lines print, decoded
// the same way whatever its kind.
struct DecodedRecord {
    Observation observation;  // the numbers the texts come from
    RecordKind recordKind{};
    std::int64_t pointNumber = 0;
    double height = 0;
    int heightFlag = 0;  // 1 when the height is below 10
    DecodedAngle horizontal;
    DecodedAngle zenith;
    std::string faceLetter;  // "R" when the zenith angle is above 180, else "D"
    double distance = 0;
    int precisionClass = 4;  // 4 below 10, 3, 2, 1, 0 from 10000 on
};

// A packed angle's parts as the decoding computes them, before any text: whole
// degrees, minutes after the seconds carry, and seconds with their fraction.
struct UnpackedAngle {
    double degrees = 0;
    double minutes = 0;
    double seconds = 0;
    double decimalDegrees() const { return degrees + minutes / 60.0 + seconds / 3600.0; }
};

UnpackedAngle unpackAngle(std::uint32_t packed);
// The whole degrees as the lines print them: the first three digits.
int shownWholeDegrees(double wholeDegrees);
DecodedAngle decodeAngle(std::uint32_t packed);
int precisionClassOf(double distance);

// The text forms of a decoded observation.
DecodedRecord textFormsOf(const Observation& observation);
// `bytes` holds at least 18 bytes from the record's start.
DecodedRecord decodeRecord(std::string_view bytes);

// The whole degrees of a DegreesText read back as a number ("  9" gives 9).
int degreesValue(std::string_view degreesText);

}  // namespace zendro
