#pragma once

#include <cmath>
#include <cstddef>

#include "common/survey_geometry.h"
#include "conversion/observation.h"

// The rules of a shot that the OBS lines and every computation from the
// observations share: one home each, so a line and a finding cannot disagree.
namespace zendro::shot_rules {

// A backsight closer than this gets the OBS warning "Backsight Distance Error".
inline constexpr double kShortBacksightDistance = 10;
// A zenith whose printed whole degrees are below this gets the OBS warning
// "Vertical Angle less than 10 Degrees".
inline constexpr int kSteepZenithDegrees = 10;
// A taped entry needs a station and a reference entry before it in the
// point-feature file, so the first that can be placed is entry 3.
inline constexpr std::size_t kFirstTapedEntry = 3;

inline bool isShortBacksight(const Observation& backsight) {
    return backsight.distance < kShortBacksightDistance;
}

inline bool isSteepZenith(const Observation& shot) {
    return shot.zenithShownDegrees < kSteepZenithDegrees;
}

inline bool canPlaceTapedEntry(std::size_t entry) { return entry >= kFirstTapedEntry; }

// The direction of a taped measurement, in degrees right of its reference
// point, from the whole degrees its raw record prints: 0 gives 180, 1 to 360
// give 270, above 360 give 90.
inline int tapedDirectionDegrees(int shownWholeDegrees) {
    if (shownWholeDegrees == 0) return 180;
    return shownWholeDegrees > 360 ? 90 : 270;
}

using geometry::normalizedDegrees;

// A reading as if read on the direct face: a reversed reading's horizontal
// angle turned by 180 degrees and its zenith mirrored (360 - zenith).
struct DirectFaceReading {
    double horizontalDegrees = 0;
    double zenithDegrees = 0;
};

inline DirectFaceReading reducedToDirectFace(const Observation& reading) {
    if (!reading.isReversed()) return {reading.horizontalDegrees, reading.zenithDegrees};
    return {normalizedDegrees(reading.horizontalDegrees - 180.0), 360.0 - reading.zenithDegrees};
}

}  // namespace zendro::shot_rules
