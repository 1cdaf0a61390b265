#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/field_format.h"

namespace zendro::review {

// What the review reads of one HVD record: its numbers as the conversion
// decodes them, without the printed texts.
struct Observation {
    field_format::RecordKind recordKind = field_format::RecordKind::Ignored7;
    std::int64_t pointNumber = 0;
    double height = 0;
    double horizontalDegrees = 0;  // decimal degrees
    double zenithDegrees = 0;
    double distance = 0;
    int horizontalShownDegrees = 0;  // whole degrees as the OBS lines print them
    int zenithShownDegrees = 0;
};

// Every whole 18-byte record of an HVD file, in file order.
std::vector<Observation> readObservations(std::string_view hvdBytes);

}  // namespace zendro::review
