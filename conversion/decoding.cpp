#include "conversion/decoding.h"

#include <cmath>

#include "common/byte_reader.h"
#include "common/field_format.h"
#include "common/text_forms.h"

namespace zendro {

UnpackedAngle unpackAngle(std::uint32_t packed) {
    // The order of these operations decides the seconds at the carry boundary:
    // keep it exactly as it is.
    const double a = static_cast<double>(packed) / 100000.0;
    UnpackedAngle angle;
    angle.degrees = std::trunc(a);
    const double minutesWithFraction = (a - angle.degrees) * 100.0;
    angle.minutes = std::trunc(minutesWithFraction);
    angle.seconds = (minutesWithFraction - angle.minutes) * 100.0;
    if (angle.seconds > 60.0) {
        // A value whose seconds are 0 can come out as one minute less and about
        // 99.99 seconds. The carry stops at the minutes.
        angle.minutes += 1.0;
        angle.seconds = 0.0;
    }
    return angle;
}

DecodedAngle decodeAngle(std::uint32_t packed) {
    const UnpackedAngle parts = unpackAngle(packed);
    const double degrees = parts.degrees;
    const double minutes = parts.minutes;

    DecodedAngle angle;
    std::string degreeDigits = std::to_string(static_cast<long long>(degrees));
    if (degreeDigits.size() > 3) degreeDigits.resize(3);
    if (degrees < 10) degreeDigits.insert(0, " ");
    if (degrees < 100) degreeDigits.insert(0, " ");
    angle.degreesText = degreeDigits;

    angle.minutesText = std::to_string(static_cast<long long>(minutes));
    if (minutes < 10) angle.minutesText.insert(0, "0");
    angle.secondsText = secondsForm(parts.seconds);
    angle.decimalDegrees = parts.decimalDegrees();
    return angle;
}

int precisionClassOf(double distance) {
    if (distance < 10) return 4;
    if (distance < 100) return 3;
    if (distance < 1000) return 2;
    if (distance < 10000) return 1;
    return 0;
}

DecodedRecord decodeRecord(std::string_view bytes) {
    DecodedRecord record;
    using namespace field_format;
    record.recordKind = static_cast<RecordKind>(readByte(bytes, kKindOffset));
    record.pointNumber = readLittleEndian<2>(bytes, kPointOffset);
    record.height = static_cast<double>(readLittleEndian<2>(bytes, kHeightOffset)) / 100.0;
    record.heightFlag = record.height < 10 ? 1 : 0;
    record.horizontal = decodeAngle(readLittleEndian<4>(bytes, kHorizontalOffset));
    record.zenith = decodeAngle(readLittleEndian<4>(bytes, kZenithOffset));
    record.faceLetter = record.zenith.decimalDegrees > 180 ? "R" : "D";
    record.distance = static_cast<double>(readLittleEndian<4>(bytes, kDistanceOffset)) / 10000.0;
    record.precisionClass = precisionClassOf(record.distance);
    return record;
}

int degreesValue(std::string_view degreesText) {
    int value = 0;
    for (char c : degreesText) {
        if (c >= '0' && c <= '9') value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace zendro
