#pragma once

#include <string_view>

#include "common/line_writer.h"
#include "conversion/decoding.h"
#include "conversion/record_state.h"

namespace zendro {

// "O 01 "-style line: the line code, the height flag and height from column 17,
// then the measurement from column 33. Ends the line.
void writeObservationLine(LineWriter& obs, std::string_view lineCode, const DecodedRecord& record,
                          std::string_view heightText, std::string_view afterZenith);

// The measured part of an OBS observation line, from column 33 on:
// "01 " + face + horizontal angle, the zenith angle from column 50, then the
// precision class and distance from column 62 and "S" in column 72.
// `afterZenith` is printed between the zenith seconds and column 62.
void writeMeasurement(LineWriter& obs, const DecodedRecord& record, std::string_view afterZenith);

// "01 " + face + the horizontal angle only, as the reference line prints it.
void writeHorizontalAngle(LineWriter& obs, const DecodedRecord& record);

// The TRV summary of a traverse ("TR,") or sideshot ("SS,") shot and its "NM,"
// line, with the backsight point and height the caller names.
void writeSummaryLines(LineWriter& trv, PendingLine kind, const RecordState& state,
                       std::string_view backsightText, std::string_view backsightHeightText);

}  // namespace zendro
