#include "tests/support/job_builder.h"

#include "tools/genjob/field_encoding.h"

namespace zendro::testing {

std::string hvdRecord(int kind, std::uint16_t point, std::uint16_t heightHundredths,
                      std::uint32_t horizontal, std::uint32_t zenith,
                      std::uint32_t distanceTenThousandths) {
    std::string out;
    genjob::appendObservation(out, {static_cast<RecordKind>(kind), point, heightHundredths,
                                    horizontal, zenith, distanceTenThousandths});
    return out;
}

std::string ctxRecord(int blocks, std::uint16_t point, std::string_view text) {
    std::string out;
    genjob::appendDescriptionBlocks(out, static_cast<std::uint8_t>(blocks), point, text);
    return out;
}

std::string ctxPrologue() { return std::string(field_format::kDescriptionPrologueSize, 'x'); }

std::string rtxNote(int count, std::string_view text) {
    std::string out;
    genjob::appendNoteBlocks(out, static_cast<std::uint8_t>(count), text);
    return out;
}

std::string rtxPrologue() { return std::string(field_format::kNotesPrologueSize, 'y'); }

}  // namespace zendro::testing
