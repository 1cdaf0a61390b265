// Records without a measurement become remark lines: "RE," in the TRV file,
// "R 99 " in the OBS file, at the place where the record stands.

#include <string>

#include "conversion/record_handlers.h"

namespace zendro {
namespace {

constexpr std::int64_t kSilentNoteMarkers = 5;

void writeRemark(RunContext& run, std::string_view trvText, std::string_view obsText) {
    run.trv.text("RE,").text(trvText).endLine();
    run.obs.text("R 99 ").text(obsText).endLine();
}

}  // namespace

void handleNoteMarker(const DecodedRecord&, RunContext& run) {
    RecordState& state = run.state;
    ++state.noteCursor;
    // The first five note markers of a run print nothing.
    if (state.noteCursor < kSilentNoteMarkers) return;

    const NoteEntry& first = run.notes.at(static_cast<std::size_t>(state.noteCursor));
    int linesLeft = first.count - 1;
    run.trv.text("RE,*****").zone().text(first.text).endLine();
    run.obs.text("R 99 *****").zone().text(first.text).endLine();
    // Continuation lines join the text to the stars, without the zone move.
    while (linesLeft > 0) {
        ++state.noteCursor;
        const NoteEntry& next = run.notes.at(static_cast<std::size_t>(state.noteCursor));
        run.trv.text("RE, *****").text(next.text).endLine();
        run.obs.text("R 99 *****").text(next.text).endLine();
        --linesLeft;
    }
}

void handleInformation(const DecodedRecord& record, RunContext& run) {
    std::string text;
    switch (record.recordKind) {
        case RecordKind::DistanceUnit:
            // The unit is the one the user chose, whatever the record holds.
            text = "DISTANCE UNIT = " + run.options.distanceUnit();
            break;
        case RecordKind::AngleUnit:
            text = "ANGLE UNIT = DDD.MMSS";
            break;
        case RecordKind::AzimuthSystem:
            text = "AZIMUTH SYSTEM = NORTH";
            break;
        case RecordKind::AngleDirection:
            text = "ANGLE DIRECTION = RIGHT";
            break;
        default:
            text = "VERTICAL SYSTEM = ZENITH";
            break;
    }
    writeRemark(run, text, text);
}

void handleDeleted(const DecodedRecord&, RunContext& run) {
    writeRemark(run, "<<DELETED RECORD>>", "<<DELETED RECORD>>");
}

void handleUnknown(const DecodedRecord&, RunContext& run) {
    writeRemark(run, "<<UNKNOWN RECORD>>", "<<??Deleted?? Record>>");
}

}  // namespace zendro
