#include "review/observations.h"

#include "common/byte_reader.h"
#include "conversion/decoding.h"

namespace zendro::review {
namespace {

constexpr double kWidestShownDegrees = 999;  // the degrees text keeps three digits

struct AngleValues {
    double decimalDegrees = 0;
    int shownDegrees = 0;
};

AngleValues angleValues(std::uint32_t packed) {
    const UnpackedAngle angle = unpackAngle(packed);
    // Beyond three digits the printed degrees are cut; read them as printed.
    const int shown = angle.degrees <= kWidestShownDegrees
                          ? static_cast<int>(angle.degrees)
                          : degreesValue(decodeAngle(packed).degreesText);
    return {angle.decimalDegrees(), shown};
}

}  // namespace

std::vector<Observation> readObservations(std::string_view hvdBytes) {
    using namespace field_format;
    std::vector<Observation> observations;
    observations.reserve(hvdBytes.size() / kObservationRecordSize);
    for (std::size_t offset = 0; offset + kObservationRecordSize <= hvdBytes.size();
         offset += kObservationRecordSize) {
        const std::string_view bytes = hvdBytes.substr(offset, kObservationRecordSize);
        Observation& o = observations.emplace_back();
        o.recordKind = static_cast<RecordKind>(readByte(bytes, kKindOffset));
        o.pointNumber = readLittleEndian<2>(bytes, kPointOffset);
        o.height = static_cast<double>(readLittleEndian<2>(bytes, kHeightOffset)) / 100.0;
        const AngleValues horizontal = angleValues(readLittleEndian<4>(bytes, kHorizontalOffset));
        const AngleValues zenith = angleValues(readLittleEndian<4>(bytes, kZenithOffset));
        o.horizontalDegrees = horizontal.decimalDegrees;
        o.horizontalShownDegrees = horizontal.shownDegrees;
        o.zenithDegrees = zenith.decimalDegrees;
        o.zenithShownDegrees = zenith.shownDegrees;
        o.distance = static_cast<double>(readLittleEndian<4>(bytes, kDistanceOffset)) / 10000.0;
    }
    return observations;
}

}  // namespace zendro::review
