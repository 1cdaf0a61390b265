// After the last record: the taped shots, each written as a setup of its own
// with a zero backsight, and the TRV file's closing lines.

#include <string>

#include "common/text_forms.h"
#include "conversion/decoding.h"
#include "conversion/observation_line.h"
#include "conversion/record_handlers.h"
#include "conversion/shot_rules.h"

namespace zendro {
namespace {

constexpr std::uint32_t kPackedPerDegree = 100000;

// A taped measurement read as a direct-face shot at zenith 90: its direction
// and distance print as any measurement does. Without a direction its
// degrees print as nothing.
DecodedRecord tapedMeasurement(const TapedValue& value) {
    Observation shot;
    shot.recordKind = RecordKind::Traverse;
    shot.packed.horizontal =
        static_cast<std::uint32_t>(value.directionDegrees.value_or(0)) * kPackedPerDegree;
    shot.packed.zenith = 90 * kPackedPerDegree;
    shot.zenithDegrees = 90;
    shot.distance = value.distance;
    DecodedRecord record = textFormsOf(shot);
    if (!value.directionDegrees) record.horizontal.degreesText = InlineText<3>();
    return record;
}

void writeTapedShot(RunContext& run, std::size_t i) {
    const PointEntry& taped = run.points.at(i);
    const PointEntry& station = run.points.at(i - 1);
    const PointEntry& reference = run.points.at(i - 2);
    const TapedValue& value = run.taped.at(i);
    if (station.name.isEmpty()) {
        run.observer.warning("taped point " + trimSpaces(taped.name.numberText()) + " is entry " +
                             std::to_string(i) + " of " + std::string(run.pointFeatureFileName) +
                             "; the entry before it, its station, has no point name, so its "
                             "taped shot's station line names no point");
    }
    const std::string& prefix = run.options.pointPrefix;
    const std::string description = clean(taped.description, run.options.commentCode);
    LineWriter& obs = run.obs;

    // The station's point line has its code at column 16, not 32.
    obs.text("S 00 ").text(prefix).text(trimSpaces(station.name.numberText()));
    obs.column(16).text("P +1 ").text(trimSpaces(station.description)).endLine();
    obs.text("S 01 ").endLine();
    // The reference point carries the taped entry's description.
    writePointLine(obs, "O 00 ", prefix, reference.name.numberText(), "P N1 ", description);
    obs.text("O 04 ").column(18).text("0.00").column(33).text("01 D   0 00 00.0").endLine();
    writePointLine(obs, "O 00 ", prefix, taped.name.numberText(), taped.kind + " N1 ",
                   removeAll(description, "TAPE "));
    obs.text("O 01 ").column(18).text("0.00").column(33);
    writeMeasurement(obs, tapedMeasurement(value), "");
    obs.endLine();
    if (!taped.comment.empty()) obs.text("O 99 ").text(taped.comment).endLine();
}

}  // namespace

void writeTapedShots(RunContext& run) {
    for (std::size_t i = 1; i <= run.points.pointCount(); ++i) {
        const PointEntry& entry = run.points.at(i);
        if (!entry.isTaped()) continue;
        if (!shot_rules::canPlaceTapedEntry(i)) {
            // A taped shot needs the two entries before it as station and reference.
            run.observer.warning("taped point " + trimSpaces(entry.name.numberText()) +
                                 " is entry " + std::to_string(i) +
                                 " of the point-feature file; it has no station and reference "
                                 "entries before it, so its taped shot is not written");
            continue;
        }
        writeTapedShot(run, i);
    }
}

void writeClosingLines(RunContext& run) {
    if (run.options.obsOnly) return;
    // Unlike the owed lines, these take the current backsight.
    const RecordState& state = run.state;
    if (state.lastRecordKind == RecordKind::Traverse) {
        writeSummaryLines(run.trv, PendingLine::Traverse, state, state.backsight.text,
                          state.backsight.heightText);
    } else if (state.lastRecordKind == RecordKind::Sideshot) {
        writeSummaryLines(run.trv, PendingLine::Sideshot, state, state.backsight.text,
                          state.backsight.heightText);
    }
    run.trv.text("CB,0 00 00NA").endLine();
}

}  // namespace zendro
