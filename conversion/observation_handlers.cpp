// Traverse shots and sideshots: the OBS lines are written at once, the TRV
// summary line ("TR," or "SS," with its "NM,") is owed until the next shot to
// another point or the end of the records.

#include "common/text_forms.h"
#include "conversion/observation_line.h"
#include "conversion/point_lookup.h"
#include "conversion/record_handlers.h"

namespace zendro {
namespace {

constexpr std::string_view kVerticalAngleWarningText =
    "99 ***WARNING*** Vertical Angle less than 10 Degrees";

// Writes the summary line of `kind` when it is owed and the shot goes to
// another point. Only a paid traverse line clears the debt; the sideshot
// handler sets it afresh itself.
void payOwedLine(const DecodedRecord& record, RunContext& run, PendingLine kind) {
    RecordState& state = run.state;
    if (state.pendingLine != kind || record.pointNumber == state.lastObservedPoint) return;
    if (run.options.obsOnly) return;
    // The owed lines take the backsight before the latest change of backsight
    // point; a sideshot names the backsight that was current when it was shot.
    const std::string& backsightText =
        kind == PendingLine::Traverse ? state.priorBacksightText : state.sideshotBacksightText;
    writeSummaryLines(run.trv, kind, state, backsightText, state.priorBacksightHeightText);
    if (kind == PendingLine::Traverse) state.pendingLine = PendingLine::None;
}

// The taped direction from the whole horizontal degrees: 1 to 360 give "270",
// above 360 " 90", 0 gives "180".
std::string tapedDirection(int degrees) {
    std::string direction;
    if (degrees > 0) direction = "270";
    if (degrees > 360) direction = " 90";
    if (degrees == 0) direction = "180";
    return direction;
}

// The target point's entries: description, kind, comment, the second feature
// entry directly after a match, and the taped mark and values.
void lookUpTarget(const DecodedRecord& record, RunContext& run, std::string& description) {
    RecordState& state = run.state;
    forEachMatch(run.points, record.pointNumber, [&](std::size_t i, const PointEntry& entry) {
        description = entry.description;
        state.lookupKind = entry.kind;
        state.lookupComment = entry.comment;

        const PointEntry& next = run.points.at(i + 1);
        if (next.name.isAbove(field_format::kSecondFeatureOffset)) {
            state.secondFeature = true;
            state.secondFeatureName = next.name.numberText();
            state.secondFeatureKind = next.kind;
            state.secondFeatureDescription = next.description;
            state.secondFeatureComment = next.comment;
        }

        if (!contains(entry.description, "TAPE")) {
            state.tapedMark = " ";
        } else {
            state.tapedMark = "D";
            TapedValue& taped = run.taped.slot(i);
            taped.distance = record.distance;
            taped.direction = tapedDirection(degreesValue(record.horizontal.degreesText));
        }
    });
}

void writeBacksightAndForesight(RunContext& run, std::string_view foresight) {
    const RecordState& state = run.state;
    run.trv.text("BS,").text(state.backsightAngleField).text(",");
    run.trv.text(state.backsightZenithField).text(",").text(state.backsightDistanceField).endLine();
    run.trv.text("FS,").text(foresight).endLine();
}

// The OBS lines of a shot: point line, comment, observation line, warning, and
// the same again for a second feature (its comment after its observation line).
void writeShotLines(const DecodedRecord& record, RunContext& run, std::string_view pointText,
                    std::string_view description, std::string_view warning) {
    RecordState& state = run.state;
    const std::string mark = "O" + state.tapedMark;
    const bool lowVerticalAngle = degreesValue(record.zenith.degreesText) < 10;

    const auto writePointLine = [&](std::string_view name, std::string_view kind,
                                    std::string_view text) {
        run.obs.text(mark).text("00 ").text(run.options.pointPrefix).text(trimSpaces(name));
        run.obs.column(32).text(kind).text(" +1 ");
        run.obs.text(clean(text, run.options.commentCode)).endLine();
    };
    const auto writeMeasuredLines = [&] {
        writeObservationLine(run.obs, mark + "01 ", record, state.targetHeightText, "");
        if (lowVerticalAngle) run.obs.text(warning).endLine();
    };

    writePointLine(pointText, state.lookupKind, description);
    if (!state.lookupComment.empty()) {
        run.obs.text(mark).text("99 ").text(state.lookupComment).endLine();
    }
    writeMeasuredLines();

    if (state.secondFeature) {
        writePointLine(state.secondFeatureName, state.secondFeatureKind,
                       state.secondFeatureDescription);
        writeMeasuredLines();
        // The first feature's comment needs one character, the second's two.
        if (state.secondFeatureComment.size() > 1) {
            run.obs.text(mark).text("99 ").text(state.secondFeatureComment).endLine();
        }
        state.secondFeature = false;
    }
}

}  // namespace

void handleTraverse(const DecodedRecord& record, RunContext& run) {
    payOwedLine(record, run, PendingLine::Traverse);
    payOwedLine(record, run, PendingLine::Sideshot);

    RecordState& state = run.state;
    state.traverseStationText = state.stationText;
    state.traverseHeightText = state.instrumentHeightText;
    state.traversePointText = numberText(static_cast<double>(record.pointNumber));
    state.traverseAngleField = "7" + numberText(record.horizontal.decimalDegrees);
    state.traverseZenithField = "Z" + numberText(record.zenith.decimalDegrees);
    state.targetHeightText = fixedForm(record.height);
    state.traverseDistanceField = "S" + numberText(record.distance);
    lookUpTarget(record, run, state.lookupDescription);

    writeBacksightAndForesight(run, state.traverseAngleField + "," + state.traverseZenithField +
                                        "," + state.traverseDistanceField);
    // A traverse's warning never carries the taped mark.
    writeShotLines(record, run, state.traversePointText, state.lookupDescription,
                   "R " + std::string(kVerticalAngleWarningText));

    state.pendingLine = PendingLine::Traverse;
    state.lastObservedPoint = record.pointNumber;
}

void handleSideshot(const DecodedRecord& record, RunContext& run) {
    payOwedLine(record, run, PendingLine::Sideshot);
    payOwedLine(record, run, PendingLine::Traverse);

    RecordState& state = run.state;
    state.sideshotStationText = state.stationText;
    state.sideshotHeightText = state.instrumentHeightText;
    state.sideshotPointText = numberText(static_cast<double>(record.pointNumber));
    state.sideshotAngleText = numberText(record.horizontal.decimalDegrees);
    state.sideshotZenithText = numberText(record.zenith.decimalDegrees);
    state.targetHeightText = fixedForm(record.height);
    state.sideshotDistanceText = numberText(record.distance);
    lookUpTarget(record, run, state.sideshotDescription);

    // The codes carry their own space and the number text adds another.
    writeBacksightAndForesight(run, "7 " + state.sideshotAngleText + ",Z " +
                                        state.sideshotZenithText + ",S " +
                                        state.sideshotDistanceText);
    writeShotLines(record, run, state.sideshotPointText, state.sideshotDescription,
                   "R" + state.tapedMark + std::string(kVerticalAngleWarningText));

    state.sideshotBacksightText = state.backsightText;
    state.pendingLine = PendingLine::Sideshot;
    state.lastObservedPoint = record.pointNumber;
}

}  // namespace zendro
