#pragma once

#include "conversion/decoding.h"
#include "conversion/run_context.h"

namespace zendro {

// Station records: the setup (kind 1), the reference direction (kind 2) and the
// measured backsight (kind 3).
void handleSetup(const DecodedRecord& record, RunContext& run);
void handleReference(const DecodedRecord& record, RunContext& run);
void handleBacksight(const DecodedRecord& record, RunContext& run);

// Measured shots: traverse (kind 4) and sideshot (kind 5).
void handleTraverse(const DecodedRecord& record, RunContext& run);
void handleSideshot(const DecodedRecord& record, RunContext& run);

// Records without a measurement: note markers (kind 6), the information
// records (kinds 9 to 13), deleted (252) and unknown kinds.
void handleNoteMarker(const DecodedRecord& record, RunContext& run);
void handleInformation(const DecodedRecord& record, RunContext& run);
void handleDeleted(const DecodedRecord& record, RunContext& run);
void handleUnknown(const DecodedRecord& record, RunContext& run);

// After the last record: every taped shot as a setup of its own, then the
// TRV file's owed summary line and its closing line.
void writeTapedShots(RunContext& run);
void writeClosingLines(RunContext& run);

}  // namespace zendro
