#include "conversion/observation_line.h"

#include "common/text_forms.h"

namespace zendro {

void writeHorizontalAngle(LineWriter& obs, const DecodedRecord& record) {
    obs.text("01 ").text(record.faceLetter).text(" ");
    obs.text(record.horizontal.degreesText).text(" ").text(record.horizontal.minutesText);
    obs.text(" ").text(record.horizontal.secondsText);
}

void writeMeasurement(LineWriter& obs, const DecodedRecord& record, std::string_view afterZenith) {
    writeHorizontalAngle(obs, record);
    obs.column(50);
    obs.text(record.zenith.degreesText).text(" ").text(record.zenith.minutesText);
    obs.text(" ").text(record.zenith.secondsText).text(afterZenith);
    obs.column(62).number(record.precisionClass).text(distanceForm(record.distance));
    obs.column(72).text("S");
}

void writePointLine(LineWriter& obs, std::string_view lineStart, std::string_view prefix,
                    std::string_view pointText, std::string_view code,
                    std::string_view description) {
    obs.text(lineStart).text(prefix).text(trimSpaces(pointText));
    obs.column(32).text(code).text(description).endLine();
}

void writeObservationLine(LineWriter& obs, std::string_view lineCode, const DecodedRecord& record,
                          std::string_view heightText, std::string_view afterZenith) {
    obs.text(lineCode).column(17).number(record.heightFlag).text(trimSpaces(heightText));
    obs.column(33);
    writeMeasurement(obs, record, afterZenith);
    obs.endLine();
}

void writeSummaryLines(LineWriter& trv, PendingLine kind, const RecordState& state,
                       std::string_view backsightText, std::string_view backsightHeightText) {
    const bool traverse = kind == PendingLine::Traverse;
    const std::string& station = traverse ? state.traverse.stationText : state.sideshot.stationText;
    const std::string& point = traverse ? state.traverse.pointText : state.sideshot.pointText;
    const std::string& height = traverse ? state.traverse.heightText : state.sideshot.heightText;
    const std::string& description =
        traverse ? state.lookupDescription : state.sideshot.description;

    trv.text(traverse ? "TR," : "SS,").text(station).text(",").text(backsightText).text(",");
    trv.text(point).text(",0ARAR,*,0,").text(height).text(",").text(state.targetHeightText);
    trv.text(",").text(backsightHeightText).endLine();
    trv.text("NM,").text(point).text(",").text(description).endLine();
}

}  // namespace zendro
