#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "conversion/observation.h"
#include "features/point_table.h"

namespace zendro::adjustment {

// One backsight, traverse or sideshot reading, reduced to the direct face.
struct SetupReading {
    std::size_t record = 0;  // index in the HVD records
    field_format::RecordKind kind = field_format::RecordKind::Sideshot;
    std::int64_t point = 0;
    double horizontalDegrees = 0;
    double zenithDegrees = 0;
    double slopeDistance = 0;  // 0 for an angle-only reading
    double targetHeight = 0;
    bool reversed = false;  // read on the reversed face

    double horizontalDistance() const;
    // Instrument height to target height: hi + S cos z - ht.
    double heightDifference(double instrumentHeight) const;
};

struct SetupReadings {
    std::size_t record = 0;  // the Setup record
    std::int64_t station = 0;
    double instrumentHeight = 0;
    std::vector<SetupReading> readings;  // in file order
};

// Every setup of the job with its readings, in file order. Reference records
// are left out: they carry the azimuth the crew keyed, not a circle reading to
// compare with the backsight's. Taped points' records hold a tape measure, not
// a polar shot, and are left out too.
std::vector<SetupReadings> collectSetups(const std::vector<Observation>& records,
                                         const PointTable& points);

}  // namespace zendro::adjustment
