#pragma once

#include <string_view>

#include "common/line_writer.h"
#include "conversion/decoding.h"
#include "conversion/record_state.h"

namespace zendro {

// A point line: `lineStart` ("O 00 ", or "OD00 " for a taped target), the
// prefix and the point, then from column 32 the code ("P N1 ", "C +1 ", ...) and
// the description as given. Ends the line.
void writePointLine(LineWriter& obs, std::string_view lineStart, std::string_view prefix,
                    std::string_view pointText, std::string_view code,
                    std::string_view description);

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
