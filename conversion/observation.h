#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/field_format.h"
#include "common/observation_record.h"

namespace zendro {

// One HVD record decoded once, as numbers: what the conversion prints its text
// forms from and what the review, the coordinates and the exports compute with.
struct Observation {
    field_format::RecordKind recordKind = field_format::RecordKind::Ignored7;
    std::int64_t pointNumber = 0;
    double height = 0;             // instrument or target height
    double horizontalDegrees = 0;  // decimal degrees, as the packed value unpacks
    double zenithDegrees = 0;
    double distance = 0;  // slope distance
    // The whole degrees as the OBS lines print them (the first three digits).
    int horizontalShownDegrees = 0;
    int zenithShownDegrees = 0;
    field_format::ObservationRecord packed;  // the record's fields as stored

    // Read on the reversed face: the zenith angle is above 180.
    bool isReversed() const { return zenithDegrees > 180.0; }
    bool isMeasuredShot() const {
        return recordKind == field_format::RecordKind::Traverse ||
               recordKind == field_format::RecordKind::Sideshot;
    }
};

// `bytes` holds at least one whole record from its start.
Observation decodeObservation(std::string_view bytes);

// Every whole record of an HVD file, in file order; a partial record at the
// end is left out.
std::vector<Observation> decodeObservations(std::string_view hvdBytes);

}  // namespace zendro
