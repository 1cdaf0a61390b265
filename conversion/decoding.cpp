#include "conversion/decoding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

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

    // The first three digits of the whole degrees, right-aligned; the whole
    // minutes, at least two digits.
    DecodedAngle angle;
    char digits[24];
    char* end = std::to_chars(digits, std::end(digits), static_cast<long long>(degrees)).ptr;
    const auto degreeDigits = std::min<std::size_t>(static_cast<std::size_t>(end - digits), 3);
    angle.degreesText.appendRepeated(' ', 3 - degreeDigits);
    angle.degreesText.append(std::string_view(digits, degreeDigits));

    end = std::to_chars(digits, std::end(digits), static_cast<long long>(minutes)).ptr;
    if (minutes < 10) angle.minutesText.push('0');
    angle.minutesText.append(std::string_view(digits, static_cast<std::size_t>(end - digits)));
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

DecodedRecord textFormsOf(const Observation& observation) {
    DecodedRecord record;
    record.observation = observation;
    record.recordKind = observation.recordKind;
    record.pointNumber = observation.pointNumber;
    record.height = observation.height;
    record.heightFlag = record.height < 10 ? 1 : 0;
    record.horizontal = decodeAngle(observation.packed.horizontal);
    record.zenith = decodeAngle(observation.packed.zenith);
    record.faceLetter = observation.isReversed() ? "R" : "D";
    record.distance = observation.distance;
    record.precisionClass = precisionClassOf(record.distance);
    return record;
}

DecodedRecord decodeRecord(std::string_view bytes) { return textFormsOf(decodeObservation(bytes)); }

int shownWholeDegrees(double wholeDegrees) {
    // Three digits or fewer are shown whole: nearly every angle, without text.
    if (wholeDegrees >= 0 && wholeDegrees < 1000) return static_cast<int>(wholeDegrees);
    char digits[24];
    const char* end =
        std::to_chars(digits, std::end(digits), static_cast<long long>(wholeDegrees)).ptr;
    return degreesValue(std::string_view(digits, std::min<std::size_t>(
                                                     static_cast<std::size_t>(end - digits), 3)));
}

int degreesValue(std::string_view degreesText) {
    int value = 0;
    for (char c : degreesText) {
        if (c >= '0' && c <= '9') value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace zendro
