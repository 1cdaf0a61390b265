#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>

#include "common/field_format.h"

namespace zendro {

// Which TRV observation summary line a traverse or sideshot still owes.
enum class PendingLine { None = 0, Traverse = 1, Sideshot = 2 };

// The backsight the shots refer to: set by a reference direction (fixed
// stand-ins for the fields) and by a measured backsight.
struct Backsight {
    std::int64_t point = 0;  // of the latest measured backsight
    double height = 0;
    std::string text;  // the point as number text
    std::string heightText;
    std::string angleField;
    std::string zenithField;
    std::string distanceField;
};

// The backsight before the latest change of backsight point.
struct PriorBacksight {
    std::string text;
    std::string heightText;
};

// What the owed "TR," line of the latest traverse shot prints.
struct TraverseSummary {
    std::string stationText;
    std::string heightText;
    std::string pointText;
    std::string angleField;
    std::string zenithField;
    std::string distanceField;
};

// What the owed "SS," line of the latest sideshot prints.
struct SideshotSummary {
    std::string stationText;
    std::string heightText;
    std::string pointText;
    std::string backsightText;  // the backsight current when it was shot
    std::string angleText;
    std::string zenithText;
    std::string distanceText;
    std::string description;
    std::int64_t descriptionPoint = 0;  // whose entry set the description; 0 before any
};

// What one record leaves for the next during a run. Fields that start as
// "nothing" print as nothing, compare equal to 0 and give "0.00" in fixed form:
// empty texts and zero numbers here. Values a record uses only while it is
// handled stay in its handler.
struct RecordState {
    // Setup
    std::string stationText;
    std::string instrumentHeightText;

    // What the latest point lookup found; a point without an entry keeps it.
    std::string lookupDescription;
    std::string lookupKind;
    std::string lookupComment;
    std::int64_t lookupPoint = 0;  // whose entry set lookupDescription; 0 before any
    // The mark after "O" on a shot's lines: " " or "D" for a taped target. It
    // starts as a space so that lines before any lookup keep their columns.
    std::string tapedMark = " ";
    // Points already warned of having no entry: one warning each.
    std::unordered_set<std::int64_t> pointsWithoutEntry;

    Backsight backsight;
    PriorBacksight priorBacksight;
    TraverseSummary traverse;
    SideshotSummary sideshot;

    std::string targetHeightText;
    PendingLine pendingLine = PendingLine::None;
    std::int64_t lastObservedPoint = 0;

    // Note markers
    std::int64_t noteCursor = -1;

    field_format::RecordKind lastRecordKind{};
};

}  // namespace zendro
