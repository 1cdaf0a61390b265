// Traverse shots and sideshots: the OBS lines are written at once, the TRV
// summary line ("TR," or "SS," with its "NM,") is owed until the next shot to
// another point or the end of the records.

#include <initializer_list>

#include "common/text_forms.h"
#include "conversion/observation_line.h"
#include "conversion/point_lookup.h"
#include "conversion/record_handlers.h"
#include "conversion/shot_rules.h"

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
        kind == PendingLine::Traverse ? state.priorBacksight.text : state.sideshot.backsightText;
    writeSummaryLines(run.trv, kind, state, backsightText, state.priorBacksight.heightText);
    if (kind == PendingLine::Traverse) state.pendingLine = PendingLine::None;
}

// The target point's entries: description, kind, comment and the taped mark
// and values. Returns the second-feature entry directly after a match, if any:
// it belongs to this record only.
const PointEntry* lookUpTarget(const DecodedRecord& record, RunContext& run,
                               std::string& description, std::int64_t& describedBy) {
    RecordState& state = run.state;
    const PointEntry* secondFeature = nullptr;
    lookUpPoint(run, record.pointNumber, description, describedBy, [&](std::size_t i,
                                                                         const PointEntry& entry) {
        description = entry.description;
        state.lookupKind = entry.kind;
        state.lookupComment = entry.comment;

        const PointEntry& next = run.points.at(i + 1);
        if (next.name.isAbove(field_format::kSecondFeatureOffset)) secondFeature = &next;

        if (!entry.isTaped()) {
            state.tapedMark = " ";
        } else {
            state.tapedMark = "D";
            TapedValue& taped = run.taped.slot(i);
            taped.distance = record.distance;
            taped.directionDegrees =
                shot_rules::tapedDirectionDegrees(record.observation.horizontalShownDegrees);
        }
    });
    return secondFeature;
}

// The foresight line's text comes in pieces, written one after another.
void writeBacksightAndForesight(RunContext& run, std::initializer_list<std::string_view> foresight) {
    const RecordState& state = run.state;
    run.trv.text("BS,").text(state.backsight.angleField).text(",");
    run.trv.text(state.backsight.zenithField)
        .text(",")
        .text(state.backsight.distanceField)
        .endLine();
    run.trv.text("FS,");
    for (const std::string_view piece : foresight) run.trv.text(piece);
    run.trv.endLine();
}

// The OBS lines of a shot: point line, comment, observation line, warning
// (after its line code), and the same again for a second feature (its comment
// after its observation line).
void writeShotLines(const DecodedRecord& record, RunContext& run, std::string_view pointText,
                    std::string_view description, std::string_view warningCode,
                    const PointEntry* secondFeature) {
    RecordState& state = run.state;
    const std::string mark = "O" + state.tapedMark;
    const bool lowVerticalAngle = shot_rules::isSteepZenith(record.observation);

    const auto writeShotPointLine = [&](std::string_view name, std::string_view kind,
                                        std::string_view text) {
        writePointLine(run.obs, mark + "00 ", run.options.pointPrefix, name,
                       std::string(kind) + " +1 ", clean(text, run.options.commentCode));
    };
    const auto writeMeasuredLines = [&] {
        writeObservationLine(run.obs, mark + "01 ", record, state.targetHeightText, "");
        if (lowVerticalAngle) run.obs.text(warningCode).text(kVerticalAngleWarningText).endLine();
    };

    writeShotPointLine(pointText, state.lookupKind, description);
    if (!state.lookupComment.empty()) {
        run.obs.text(mark).text("99 ").text(state.lookupComment).endLine();
    }
    writeMeasuredLines();

    if (secondFeature != nullptr) {
        writeShotPointLine(secondFeature->name.numberText(), secondFeature->kind,
                           secondFeature->description);
        writeMeasuredLines();
        // The first feature's comment needs one character, the second's two.
        if (secondFeature->comment.size() > 1) {
            run.obs.text(mark).text("99 ").text(secondFeature->comment).endLine();
        }
    }
}

}  // namespace

void handleTraverse(const DecodedRecord& record, RunContext& run) {
    payOwedLine(record, run, PendingLine::Traverse);
    payOwedLine(record, run, PendingLine::Sideshot);

    RecordState& state = run.state;
    state.traverse.stationText = state.stationText;
    state.traverse.heightText = state.instrumentHeightText;
    state.traverse.pointText = numberText(static_cast<double>(record.pointNumber));
    state.traverse.angleField.assign("7").append(numberText(record.horizontal.decimalDegrees));
    state.traverse.zenithField.assign("Z").append(numberText(record.zenith.decimalDegrees));
    state.targetHeightText = fixedForm(record.height);
    state.traverse.distanceField.assign("S").append(numberText(record.distance));
    const PointEntry* secondFeature = lookUpTarget(record, run, state.lookupDescription, state.lookupPoint);

    writeBacksightAndForesight(run, {state.traverse.angleField, ",", state.traverse.zenithField, ",",
                                     state.traverse.distanceField});
    // A traverse's warning never carries the taped mark.
    writeShotLines(record, run, state.traverse.pointText, state.lookupDescription,
                   "R ", secondFeature);

    state.pendingLine = PendingLine::Traverse;
    state.lastObservedPoint = record.pointNumber;
}

void handleSideshot(const DecodedRecord& record, RunContext& run) {
    payOwedLine(record, run, PendingLine::Sideshot);
    payOwedLine(record, run, PendingLine::Traverse);

    RecordState& state = run.state;
    state.sideshot.stationText = state.stationText;
    state.sideshot.heightText = state.instrumentHeightText;
    state.sideshot.pointText = numberText(static_cast<double>(record.pointNumber));
    state.sideshot.angleText = numberText(record.horizontal.decimalDegrees);
    state.sideshot.zenithText = numberText(record.zenith.decimalDegrees);
    state.targetHeightText = fixedForm(record.height);
    state.sideshot.distanceText = numberText(record.distance);
    const PointEntry* secondFeature = lookUpTarget(record, run, state.sideshot.description,
                                                      state.sideshot.descriptionPoint);

    // The codes carry their own space and the number text adds another.
    writeBacksightAndForesight(run, {"7 ", state.sideshot.angleText, ",Z ", state.sideshot.zenithText,
                                     ",S ", state.sideshot.distanceText});
    writeShotLines(record, run, state.sideshot.pointText, state.sideshot.description,
                   "R" + state.tapedMark, secondFeature);

    state.sideshot.backsightText = state.backsight.text;
    state.pendingLine = PendingLine::Sideshot;
    state.lastObservedPoint = record.pointNumber;
}

}  // namespace zendro
