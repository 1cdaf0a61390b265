#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/conversion_options.h"
#include "common/field_format.h"
#include "common/run_observer.h"

namespace zendro::testing {

using field_format::RecordKind;

// An 18-byte HVD observation record. Angles are packed DDD.MMSSs values times
// 100000 (45 30 15.0 is 4530150), heights in hundredths, distances in
// ten-thousandths of the unit.
std::string hvdRecord(int kind, std::uint16_t point, std::uint16_t heightHundredths = 0,
                      std::uint32_t horizontal = 0, std::uint32_t zenith = 0,
                      std::uint32_t distanceTenThousandths = 0);

// A CTX description record of `blocks` 30-byte blocks (0 means one block) for
// `point`; the text is zero-padded to fill the record.
std::string ctxRecord(int blocks, std::uint16_t point, std::string_view text);
// The 180 unread bytes that start every CTX file.
std::string ctxPrologue();

// An RTX note: count byte, four unused bytes and the text of `count` records
// (25 bytes in the first, 30 in every further one), zero-padded.
std::string rtxNote(int count, std::string_view text);
// The three unread 30-byte records that start every RTX file.
std::string rtxPrologue();

// The options the chain section reads; the others keep their defaults.
inline ConversionOptions chainOptions(std::string prefix, std::string curveCode,
                                      std::string runSuffix) {
    ConversionOptions options;
    options.pointPrefix = std::move(prefix);
    options.curveCode = std::move(curveCode);
    options.runSuffix = std::move(runSuffix);
    return options;
}

// Records what the core reports.
class RecordingObserver final : public RunObserver {
  public:
    void status(std::string_view text) override { statuses.emplace_back(text); }
    void progress(double percent) override { progressValues.push_back(percent); }
    void warning(std::string_view message) override { warnings.emplace_back(message); }

    std::vector<std::string> statuses;
    std::vector<double> progressValues;
    std::vector<std::string> warnings;
};

}  // namespace zendro::testing
