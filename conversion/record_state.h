#pragma once

#include <cstdint>
#include <string>

#include "common/field_format.h"

namespace zendro {

// Which TRV observation summary line a traverse or sideshot still owes.
enum class PendingLine { None = 0, Traverse = 1, Sideshot = 2 };

// What one record leaves for the next during a run. Fields that start as
// "nothing" print as nothing, compare equal to 0 and give "0.00" in fixed form:
// empty texts and zero numbers here.
struct RecordState {
    // Setup
    std::string stationText;
    std::string instrumentHeightText;

    // Point lookups
    std::string lookupDescription;
    std::string lookupKind;
    std::string lookupComment;
    std::string sideshotDescription;

    // Reference and backsight
    std::int64_t backsightPoint = 0;
    double backsightHeight = 0;
    std::string backsightText;
    std::string backsightHeightText;
    std::string priorBacksightText;
    std::string priorBacksightHeightText;
    std::string backsightAngleField;
    std::string backsightZenithField;
    std::string backsightDistanceField;

    // Latest traverse shot
    std::string traverseStationText;
    std::string traverseHeightText;
    std::string traversePointText;
    std::string traverseAngleField;
    std::string traverseZenithField;
    std::string traverseDistanceField;

    // Latest sideshot
    std::string sideshotStationText;
    std::string sideshotHeightText;
    std::string sideshotPointText;
    std::string sideshotBacksightText;
    std::string sideshotAngleText;
    std::string sideshotZenithText;
    std::string sideshotDistanceText;

    std::string targetHeightText;
    PendingLine pendingLine = PendingLine::None;
    std::int64_t lastObservedPoint = 0;

    // Taped mark and second feature of the latest matching target lookup
    std::string tapedMark;
    bool secondFeature = false;
    std::string secondFeatureName;
    std::string secondFeatureKind;
    std::string secondFeatureDescription;
    std::string secondFeatureComment;

    // Note markers
    std::int64_t noteCursor = -1;

    field_format::RecordKind lastRecordKind{};
};

}  // namespace zendro
