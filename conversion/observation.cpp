#include "conversion/observation.h"

#include "conversion/decoding.h"

namespace zendro {

Observation decodeObservation(std::string_view bytes) {
    using field_format::RecordKind;
    Observation o;
    o.packed = field_format::readObservationRecord(bytes);
    o.recordKind = static_cast<RecordKind>(o.packed.kind);
    o.pointNumber = o.packed.point;
    o.height = static_cast<double>(o.packed.heightHundredths) / 100.0;
    const UnpackedAngle horizontal = unpackAngle(o.packed.horizontal);
    const UnpackedAngle zenith = unpackAngle(o.packed.zenith);
    o.horizontalDegrees = horizontal.decimalDegrees();
    o.zenithDegrees = zenith.decimalDegrees();
    o.horizontalShownDegrees = shownWholeDegrees(horizontal.degrees);
    o.zenithShownDegrees = shownWholeDegrees(zenith.degrees);
    o.distance = static_cast<double>(o.packed.distanceTenThousandths) / 10000.0;
    return o;
}

std::vector<Observation> decodeObservations(std::string_view hvdBytes) {
    using field_format::kObservationRecordSize;
    std::vector<Observation> observations;
    observations.reserve(hvdBytes.size() / kObservationRecordSize);
    for (std::size_t offset = 0; offset + kObservationRecordSize <= hvdBytes.size();
         offset += kObservationRecordSize) {
        observations.push_back(decodeObservation(hvdBytes.substr(offset, kObservationRecordSize)));
    }
    return observations;
}

}  // namespace zendro
