#pragma once

#include <string_view>

#include "common/line_writer.h"
#include "conversion/header_clock.h"

namespace zendro {

// The 12 header lines of the TRV file.
void writeTrvHeader(LineWriter& trv, std::string_view jobName, const HeaderClock& clock);
// The 9 header lines of the OBS file.
void writeObsHeader(LineWriter& obs, std::string_view jobName, const HeaderClock& clock);

}  // namespace zendro
