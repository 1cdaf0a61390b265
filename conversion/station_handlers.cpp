// Setups, reference directions and backsights: they write the OBS station and
// backsight lines at once and leave for the TRV file only what the shots after
// them print.

#include "common/text_forms.h"
#include "conversion/observation_line.h"
#include "conversion/point_lookup.h"
#include "conversion/record_handlers.h"

namespace zendro {
namespace {

constexpr std::string_view kVerticalAngleWarning =
    "R 99 ***WARNING*** Vertical Angle less than 10 Degrees";

// The description and kind letter of the record's point; a point without an
// entry keeps what the previous lookup left.
void lookUpStationPoint(const DecodedRecord& record, RunContext& run) {
    forEachMatch(run.points, record.pointNumber, [&](std::size_t, const PointEntry& entry) {
        run.state.lookupKind = entry.kind;
        run.state.lookupDescription = entry.description;
    });
}

// "O 00 " + prefix + point + the kind code from column 32 + the description.
void writePointLine(RunContext& run, std::string_view pointText, std::string_view code) {
    run.obs.text("O 00 ").text(run.options.pointPrefix).text(trimSpaces(pointText));
    run.obs.column(32).text(code);
    run.obs.text(clean(run.state.lookupDescription, run.options.commentCode)).endLine();
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
    state.backsightText = numberText(static_cast<double>(record.pointNumber));
    run.trv.text("RE,REFERENCE DIRECTION: ")
        .text(numberText(record.horizontal.decimalDegrees))
        .text("NA")
        .endLine();
    // Fixed stand-ins for the "BS," line until a measured backsight replaces them.
    state.backsightDistanceField = "100.0";
    state.backsightAngleField = "90.0000Z";
    state.backsightHeightText = fixedForm(record.height);
    lookUpStationPoint(record, run);

    writePointLine(run, state.backsightText, "P N1 ");
    run.obs.text("O 04 ").column(17).number(record.heightFlag);
    run.obs.text(trimSpaces(state.backsightHeightText)).column(33);
    writeHorizontalAngle(run.obs, record);
    run.obs.endLine();
}

void handleBacksight(const DecodedRecord& record, RunContext& run) {
    RecordState& state = run.state;
    if (record.pointNumber != state.backsightPoint) {
        state.priorBacksightText = numberText(static_cast<double>(state.backsightPoint));
        state.priorBacksightHeightText = fixedForm(state.backsightHeight);
        // The first backsight of a run has no former one: its own height stands in.
        if (state.backsightPoint == 0) state.priorBacksightHeightText = fixedForm(record.height);
    }
    state.backsightHeight = record.height;
    state.backsightPoint = record.pointNumber;
    state.backsightText = numberText(static_cast<double>(record.pointNumber));
    state.backsightAngleField = "7" + numberText(record.horizontal.decimalDegrees);
    state.backsightZenithField = "Z" + numberText(record.zenith.decimalDegrees);
    state.backsightDistanceField = "S" + numberText(record.distance);
    state.backsightHeightText = fixedForm(record.height);
    lookUpStationPoint(record, run);

    writePointLine(run, state.backsightText, "P +1 ");
    // The backsight line alone has a space after the zenith seconds.
    writeObservationLine(run.obs, "O 01 ", record, state.backsightHeightText, " ");
    if (record.distance < 10) {
        run.obs.text("R 99 ***WARNING*** Backsight Distance Error").endLine();
    }
    if (degreesValue(record.zenith.degreesText) < 10) {
        run.obs.text(kVerticalAngleWarning).endLine();
    }
}

}  // namespace zendro
