// The input as an HVD file: every 18-byte record decoded.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/text_forms.h"
#include "conversion/decoding.h"
#include "fuzz/fuzz_check.h"

namespace {

using zendro::fuzz::require;

void checkAngle(const zendro::DecodedAngle& angle) {
    require(angle.degreesText.size() == 3, "degrees text is three characters");
    require(angle.minutesText.size() >= 2, "minutes text has two digits or more");
    require(angle.secondsText.size() == 4 && angle.secondsText[2] == '.',
            "seconds text has the 00.0 form");
    require(std::isfinite(angle.decimalDegrees) && angle.decimalDegrees >= 0,
            "decimal degrees are a finite, non-negative number");
    const std::string text = zendro::numberText(angle.decimalDegrees).str();
    require(!text.empty() && text.front() == ' ', "number text of an angle starts with a space");
    require(text.find_first_of("eE") == std::string::npos, "number text has no exponent");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = zendro::fuzz::asBytes(data, size);
    for (std::size_t at = 0; at + zendro::kObservationRecordSize <= bytes.size();
         at += zendro::kObservationRecordSize) {
        const zendro::DecodedRecord record = zendro::decodeRecord(bytes.substr(at));
        require(record.pointNumber >= 0 && record.pointNumber <= 65535, "point number is 16 bits");
        require(record.heightFlag == (record.height < 10 ? 1 : 0), "height flag follows height");
        require(record.faceLetter == (record.zenith.decimalDegrees > 180 ? "R" : "D"),
                "face letter follows the zenith angle");
        require(record.precisionClass == zendro::precisionClassOf(record.distance),
                "precision class follows the distance");
        require(record.precisionClass >= 0 && record.precisionClass <= 4, "precision class 0-4");
        checkAngle(record.horizontal);
        checkAngle(record.zenith);
        require(zendro::degreesValue(record.zenith.degreesText) >= 0, "degrees read back");
        (void)zendro::distanceForm(record.distance);
        (void)zendro::fixedForm(record.height);
    }
    return 0;
}
