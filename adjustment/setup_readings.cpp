#include "adjustment/setup_readings.h"

#include <cmath>
#include <numbers>
#include <unordered_map>

#include "common/survey_geometry.h"
#include "conversion/shot_rules.h"

namespace zendro::adjustment {
namespace {

using field_format::RecordKind;

class TapedPoints {
  public:
    explicit TapedPoints(const PointTable& table) : table_(table) {}

    bool contains(std::int64_t number) {
        const auto known = taped_.find(number);
        if (known != taped_.end()) return known->second;
        bool taped = false;
        for (const std::size_t i : table_.indicesOf(number)) taped = taped || table_.at(i).isTaped();
        taped_.emplace(number, taped);
        return taped;
    }

  private:
    const PointTable& table_;
    std::unordered_map<std::int64_t, bool> taped_;
};

}  // namespace

double SetupReading::horizontalDistance() const {
    return geometry::reduceSlope(slopeDistance, zenithDegrees).horizontal;
}

double SetupReading::heightDifference(double instrumentHeight) const {
    return geometry::reduceSlope(slopeDistance, zenithDegrees, instrumentHeight, targetHeight).rise;
}

std::vector<SetupReadings> collectSetups(const std::vector<Observation>& records,
                                         const PointTable& points) {
    std::vector<SetupReadings> setups;
    TapedPoints taped(points);
    bool inSetup = false;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Observation& record = records[i];
        const RecordKind kind = record.recordKind;
        if (kind == RecordKind::Setup) {
            setups.push_back({i, record.pointNumber, record.height, {}});
            inSetup = true;
            continue;
        }
        if (!inSetup) continue;
        if (kind != RecordKind::Backsight && kind != RecordKind::Traverse &&
            kind != RecordKind::Sideshot) {
            continue;
        }
        if (record.isMeasuredShot() && taped.contains(record.pointNumber)) continue;
        if (record.pointNumber == setups.back().station) continue;
        const shot_rules::DirectFaceReading direct = shot_rules::reducedToDirectFace(record);
        setups.back().readings.push_back({i, kind, record.pointNumber, direct.horizontalDegrees,
                                          direct.zenithDegrees, record.distance, record.height,
                                          record.isReversed()});
    }
    return setups;
}

}  // namespace zendro::adjustment
