// Setups, reference directions and backsights: they write the OBS station and
// backsight lines at once and leave for the TRV file only what the shots after
// them print.

#include "common/text_forms.h"
#include "conversion/observation_line.h"
#include "conversion/point_lookup.h"
#include "conversion/record_handlers.h"
#include "conversion/shot_rules.h"

namespace zendro {
namespace {

constexpr std::string_view kVerticalAngleWarning =
    "R 99 ***WARNING*** Vertical Angle less than 10 Degrees";

// The description and kind letter of the record's point; a point without an
// entry keeps what the previous lookup left.
void lookUpStationPoint(const DecodedRecord& record, RunContext& run) {
    lookUpPoint(run, record.pointNumber, run.state.lookupDescription, run.state.lookupPoint,
                [&](std::size_t, const PointEntry& entry) {
        run.state.lookupKind = entry.kind;
        run.state.lookupDescription = entry.description;
    });
}

// The point line of the looked-up point, with its description cleaned.
void writeLookedUpPointLine(RunContext& run, std::string_view pointText, std::string_view code) {
    writePointLine(run.obs, "O 00 ", run.options.pointPrefix, pointText, code,
                   clean(run.state.lookupDescription, run.options.commentCode));
}

}  // namespace

void handleSetup(const DecodedRecord& record, RunContext& run) {
    RecordState& state = run.state;
    state.stationText = numberText(static_cast<double>(record.pointNumber));
    state.instrumentHeightText = fixedForm(record.height);
    lookUpStationPoint(record, run);

    // The station's description is trimmed only, not cleaned.
    run.obs.text("S 00 ").text(run.options.pointPrefix).text(trimSpaces(state.stationText));
    run.obs.column(32).text("P +1 ").text(trimSpaces(state.lookupDescription)).endLine();
    run.obs.text("S 01 ").column(25).text(trimSpaces(state.instrumentHeightText)).endLine();
}

void handleReference(const DecodedRecord& record, RunContext& run) {
    RecordState& state = run.state;
    state.backsight.text = numberText(static_cast<double>(record.pointNumber));
    run.trv.text("RE,REFERENCE DIRECTION: ")
        .text(numberText(record.horizontal.decimalDegrees))
        .text("NA")
        .endLine();
    // Fixed stand-ins for the "BS," line until a measured backsight replaces them.
    state.backsight.distanceField = "100.0";
    state.backsight.angleField = "90.0000Z";
    state.backsight.heightText = fixedForm(record.height);
    lookUpStationPoint(record, run);

    writeLookedUpPointLine(run, state.backsight.text, "P N1 ");
    run.obs.text("O 04 ").column(17).number(record.heightFlag);
    run.obs.text(trimSpaces(state.backsight.heightText)).column(33);
    writeHorizontalAngle(run.obs, record);
    run.obs.endLine();
}

void handleBacksight(const DecodedRecord& record, RunContext& run) {
    RecordState& state = run.state;
    if (record.pointNumber != state.backsight.point) {
        state.priorBacksight.text = numberText(static_cast<double>(state.backsight.point));
        state.priorBacksight.heightText = fixedForm(state.backsight.height);
        // The first backsight of a run has no former one: its own height stands in.
        if (state.backsight.point == 0) state.priorBacksight.heightText = fixedForm(record.height);
    }
    state.backsight.height = record.height;
    state.backsight.point = record.pointNumber;
    state.backsight.text = numberText(static_cast<double>(record.pointNumber));
    state.backsight.angleField.assign("7").append(numberText(record.horizontal.decimalDegrees));
    state.backsight.zenithField.assign("Z").append(numberText(record.zenith.decimalDegrees));
    state.backsight.distanceField.assign("S").append(numberText(record.distance));
    state.backsight.heightText = fixedForm(record.height);
    lookUpStationPoint(record, run);

    writeLookedUpPointLine(run, state.backsight.text, "P +1 ");
    // The backsight line alone has a space after the zenith seconds.
    writeObservationLine(run.obs, "O 01 ", record, state.backsight.heightText, " ");
    if (shot_rules::isShortBacksight(record.observation)) {
        run.obs.text("R 99 ***WARNING*** Backsight Distance Error").endLine();
    }
    if (shot_rules::isSteepZenith(record.observation)) {
        run.obs.text(kVerticalAngleWarning).endLine();
    }
}

}  // namespace zendro
